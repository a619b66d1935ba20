# The dashboard's pages, style sheet and scripts, and the chart library from
# Debian's libjs-dygraphs, built into a target as Qt resources under :/web/.
# Nothing is fetched at run time: the pages work without any network.

set(TAMSEL_WEB_PAGES_DIR ${CMAKE_CURRENT_LIST_DIR})

find_path(TAMSEL_DYGRAPHS_DIR dygraph.min.js
  PATHS /usr/share/javascript/dygraphs NO_DEFAULT_PATH)
if(NOT TAMSEL_DYGRAPHS_DIR)
  message(FATAL_ERROR "dygraph.min.js not found: install libjs-dygraphs (scripts/bootstrap)")
endif()

function(tamsel_add_web_pages target)
  set(pages index.html day.html energy.html turbine.html summary.html)
  set(scripts app.css common.js charts.js live.js day.js energy.js turbine.js alarm_banner.js
    age.js glance.js summary.js)
  set(library dygraph.min.js dygraph.min.css)

  set(page_files)
  foreach(name IN LISTS pages)
    list(APPEND page_files ${TAMSEL_WEB_PAGES_DIR}/${name})
  endforeach()
  foreach(name IN LISTS scripts)
    list(APPEND page_files ${TAMSEL_WEB_PAGES_DIR}/static/${name})
  endforeach()
  qt_add_resources(${target} tamsel_web_pages
    PREFIX /web
    BASE ${TAMSEL_WEB_PAGES_DIR}
    FILES ${page_files})

  # The program's icon, as packaging/ installs it, is the pages' icon and
  # /favicon.ico, which browsers ask for by themselves.
  qt_add_resources(${target} tamsel_web_icon
    PREFIX /web
    BASE ${PROJECT_SOURCE_DIR}/packaging
    FILES ${PROJECT_SOURCE_DIR}/packaging/tamsel.png)

  # The library's files are copied when they change, so the resources always
  # hold the installed package's version.
  set(copies)
  foreach(name IN LISTS library)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/web_library/static/${name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy ${TAMSEL_DYGRAPHS_DIR}/${name} ${copy}
      DEPENDS ${TAMSEL_DYGRAPHS_DIR}/${name}
      COMMENT "Copying ${name} from libjs-dygraphs"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target}_web_library DEPENDS ${copies})
  add_dependencies(${target} ${target}_web_library)
  qt_add_resources(${target} tamsel_web_library
    PREFIX /web
    BASE ${CMAKE_CURRENT_BINARY_DIR}/web_library
    FILES ${copies})
endfunction()
