# The package's build settings, given to the first configure of its own build
# folder: cmake -C packaging/package-build.cmake -S . -B build-package.
# Only the program, optimised, with the flags Debian builds its own packages
# with: fortified functions, stack protector, read-only relocations bound at
# start (relro, bindnow); gcc makes position-independent programs already.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
# The optimisation level is Debian's (-O2, from its flags); Release adds only NDEBUG.
set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG" CACHE STRING "")
set(TAMSEL_TESTS OFF CACHE BOOL "")

# Run from the source folder, so -ffile-prefix-map turns its path into "."
# and a build elsewhere gives the same program. The build folder gets a
# fixed name too (the last matching map wins): its path is in the debug
# information the build ID is computed over, which stays after stripping.
get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
# hardening=+all turns on what is not on by default; the variable reaches
# dpkg-buildflags through the environment.
set(ENV{DEB_BUILD_MAINT_OPTIONS} "hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND dpkg-buildflags --get ${kind}
    WORKING_DIRECTORY "${source_dir}"
    OUTPUT_VARIABLE ${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# No -g: the program is stripped and no debug package is made, so the
# debug information would only cost compile time.
string(REGEX REPLACE "(^| )-g( |$)" " " CXXFLAGS "${CXXFLAGS}")
set(CMAKE_CXX_FLAGS "${CPPFLAGS} ${CXXFLAGS} -ffile-prefix-map=${CMAKE_BINARY_DIR}=build"
  CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS "${LDFLAGS}" CACHE STRING "")
