# Shared build rules: every target of ours gets the same strict warnings.

# Unity builds for the test programs: each compiles as one source that
# includes all of its own, so the test framework's and the shared headers'
# code is instantiated once per program rather than once per file. The
# libraries stay file by file: compiled as one source at -O2, GCC 12 mistakes
# some string concatenations for out-of-bounds copies (-Warray-bounds).
# -DCMAKE_UNITY_BUILD=OFF builds the tests file by file too, which catches a
# file that lacks an include of its own.
function(tamsel_unity target)
  if(NOT DEFINED CMAKE_UNITY_BUILD OR CMAKE_UNITY_BUILD)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  endif()
endfunction()

function(tamsel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Winvalid-pch)
endfunction()

# Precompiled headers. Most of a Qt or gtest source's compile time goes to
# parsing the same Qt, gtest and standard headers again; parsed once per
# kind of target and reused, it goes away. GCC uses a precompiled header only
# where every macro it was built with is defined the same way, so each kind's
# header is built by a library of its own that links just what every target of
# the kind links too: window libraries (Qt's widgets), the Qt-core libraries
# (no widgets, so a headless library still cannot reach for one) and the test
# programs (widgets and gtest).
set(TAMSEL_STD_PCH <algorithm> <cmath> <filesystem> <functional> <memory> <optional> <string>
  <string_view> <vector>)
set(TAMSEL_CORE_PCH ${TAMSEL_STD_PCH} <QObject> <QString> <QTimer>)
set(TAMSEL_CORE_PCH_LINKS Qt6::Core)
set(TAMSEL_WIDGETS_PCH ${TAMSEL_CORE_PCH} <QApplication> <QCheckBox> <QDialog> <QLabel>
  <QLineEdit> <QPainter> <QPushButton> <QWidget>)
set(TAMSEL_WIDGETS_PCH_LINKS Qt6::Widgets)
set(TAMSEL_TEST_PCH ${TAMSEL_WIDGETS_PCH} <gtest/gtest.h>)
set(TAMSEL_TEST_PCH_LINKS Qt6::Widgets GTest::gtest)

# Test code is compiled for compile time, not run time: -Og costs little more
# than no optimisation and keeps the warnings that need data flow (the code
# under test keeps the build's own optimisation). Debug builds stay as they are.
function(tamsel_test_options target)
  target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Og>)
endfunction()

# Gives a target the precompiled headers of its kind (CORE, WIDGETS or TEST).
function(tamsel_precompiled target kind)
  set(owner tamsel_${kind}_pch)
  string(TOLOWER ${owner} owner)
  if(NOT TARGET ${owner})
    set(anchor ${PROJECT_BINARY_DIR}/pch/${owner}.cpp)
    file(CONFIGURE OUTPUT ${anchor} CONTENT "// Builds the precompiled headers its target's kind reuses.\n")
    add_library(${owner} STATIC ${anchor})
    target_link_libraries(${owner} PRIVATE ${TAMSEL_${kind}_PCH_LINKS})
    tamsel_warnings(${owner})
    target_precompile_headers(${owner} PRIVATE ${TAMSEL_${kind}_PCH})
    if(kind STREQUAL "TEST")
      tamsel_test_options(${owner})
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()

# Whether a target reaches Qt's widgets through what it links.
function(tamsel_links_widgets target result)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current STREQUAL "Qt6::Widgets")
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
    if(TARGET ${current} AND NOT current IN_LIST seen)
      list(APPEND seen ${current})
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
      if(links)
        list(APPEND queue ${links})
      endif()
    endif()
  endwhile()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

# One library per subsystem folder, built from every source in it.
# main.cpp files are programs, never part of a library. QT marks the
# libraries that hold windows or other Qt objects; the logic ones link no Qt.
# A folder whose logic others use without its window splits in two: EXCLUDE
# leaves the window's files out of the logic library, ONLY builds the window
# library from just those.
function(tamsel_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS;EXCLUDE;ONLY" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(ARG_ONLY)
    list(TRANSFORM ARG_ONLY PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  endif()
  list(TRANSFORM ARG_EXCLUDE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  list(REMOVE_ITEM sources ${ARG_EXCLUDE})
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tamsel_warnings(${name})
  if(ARG_QT)
    tamsel_links_widgets(${name} widgets)
    if(widgets)
      tamsel_precompiled(${name} WIDGETS)
    else()
      tamsel_precompiled(${name} CORE)
    endif()
  endif()
endfunction()

# One test program per library, each test registered with CTest. SOURCES
# adds files from elsewhere; EXCLUDE leaves out files of the folder that other
# programs share, built once as a library of their own; LABELS marks every
# test of the program, so a pass can leave out the slow ones (ctest -LE slow).
function(tamsel_tests name folder)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES;EXCLUDE;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  list(TRANSFORM ARG_EXCLUDE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/)
  list(REMOVE_ITEM sources ${ARG_EXCLUDE})
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  add_executable(${name} ${sources} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} tamsel_test_support GTest::gtest GTest::gmock)
  tamsel_warnings(${name})
  tamsel_test_options(${name})
  tamsel_unity(${name})
  tamsel_precompiled(${name} TEST)
  # The slow ones go first, so that their waits overlap the many short ones
  # instead of trailing after them (a fresh clone has no timings of its own).
  set(cost 0)
  if("slow" IN_LIST ARG_LABELS)
    set(cost 100)
  endif()
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABELS}" COST ${cost}
    DISCOVERY_TIMEOUT 30
    DISCOVERY_MODE PRE_TEST)
endfunction()
