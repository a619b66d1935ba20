# Shared build rules: every target of ours gets the same strict warnings.
function(tamsel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# One library per subsystem folder, built from every source in it.
# main.cpp files are programs, never part of a library. QT marks the
# libraries that hold windows or other Qt objects; the logic ones link no Qt.
function(tamsel_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tamsel_warnings(${name})
endfunction()

# One test program per library, each test registered with CTest. SOURCES
# adds files from elsewhere (a shared harness); LABELS marks every test of the
# program, so a pass can leave out the slow ones (ctest -LE slow).
function(tamsel_tests name folder)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  add_executable(${name} ${sources} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} tamsel_test_support GTest::gtest GTest::gmock)
  tamsel_warnings(${name})
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABELS}"
    DISCOVERY_TIMEOUT 30
    DISCOVERY_MODE PRE_TEST)
endfunction()
