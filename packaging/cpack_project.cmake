# Read by cpack each time it runs. The package's time stamps (file times in
# its archives) are the last commit's, so two builds of one commit give the
# same bytes; a SOURCE_DATE_EPOCH already set wins.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_TAMSEL_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
    RESULT_VARIABLE failed)
  if(failed OR epoch STREQUAL "")
    # Not a git checkout (an unpacked source archive): the changelog's date,
    # as Debian's own tools take it.
    execute_process(COMMAND dpkg-parsechangelog -l "${CPACK_TAMSEL_SOURCE_DIR}/packaging/changelog"
      -S Timestamp
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
