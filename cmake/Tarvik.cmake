# Compiler settings every target shares.
add_library(tarvik_settings INTERFACE)
target_compile_features(tarvik_settings INTERFACE cxx_std_20)
target_compile_options(tarvik_settings INTERFACE -Wall -Wextra -Wpedantic)
if(TARVIK_WERROR)
  target_compile_options(tarvik_settings INTERFACE -Werror)
endif()
target_compile_definitions(tarvik_settings INTERFACE
  QT_NO_FOREACH)
if(TARVIK_FUZZ)
  target_compile_options(tarvik_settings INTERFACE
    -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  target_link_options(tarvik_settings INTERFACE -fsanitize=address,undefined)
endif()
if(TARVIK_SANITIZE)
  # Any finding stops the program, so that a test fails on it.
  target_compile_options(tarvik_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1)
  target_link_options(tarvik_settings INTERFACE -fsanitize=address,undefined)
endif()

# tarvik_library(name SOURCES ... LIBS ...): a static library whose headers are
# included as "folder/Header.h" from src/.
function(tarvik_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC tarvik_settings ${A_LIBS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# tarvik_staged_program(name): put an executable into the program directory, staged and installed.
function(tarvik_staged_program name)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TARVIK_STAGE_DIR})
  install(TARGETS ${name} RUNTIME DESTINATION ${TARVIK_INSTALL_DIR})
endfunction()

# tarvik_command_link(name): bin/<name>, a link to the installed program directory's <name>.
function(tarvik_command_link name)
  set(link ${CMAKE_BINARY_DIR}/command-links/${name})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/command-links)
  file(CREATE_LINK ../${TARVIK_INSTALL_DIR}/${name} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# tarvik_test(name SOURCES ... LIBS ...): one QtTest executable registered with
# CTest. Widget tests run offscreen; settings go to the build tree, never $HOME.
function(tarvik_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE tarvik_settings Qt6::Test ${A_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_definitions(${name} PRIVATE
    TARVIK_STAGE_DIR="${TARVIK_STAGE_DIR}"
    TARVIK_TEST_DATA_DIR="${TARVIK_TEST_DATA_DIR}"
    TARVIK_TOOLS_DIR="${CMAKE_BINARY_DIR}/tools"
    TARVIK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config;HOME=${CMAKE_BINARY_DIR}/test-home")
endfunction()

# tarvik_add_subfolders([BUILD_SUFFIX s]): every subfolder of the current one that
# brings a CMakeLists.txt; with a suffix, each builds in <name><suffix>.
function(tarvik_add_subfolders)
  cmake_parse_arguments(A "" "BUILD_SUFFIX" "" ${ARGN})
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      if(A_BUILD_SUFFIX)
        add_subdirectory(${child} ${CMAKE_CURRENT_BINARY_DIR}/${child}${A_BUILD_SUFFIX})
      else()
        add_subdirectory(${child})
      endif()
    endif()
  endforeach()
endfunction()
