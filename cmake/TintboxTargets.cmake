# One library target per folder of the source tree, and one test binary per tested folder.
#
#   tintbox_library(NAME folder_target SOURCES ... [DEPENDS ...] [ALLOWED ...])
#     ALLOWED lists the project targets this folder may depend on; the configure step
#     stops when a folder links a project target outside its list. A SHARED library is
#     installed with the platform's others, in the install COMPONENT (binary package) given,
#     by default "tintbox".
#   tintbox_test(NAME binary SOURCES ... DEPENDS ...)

if(BUILD_TESTING)
  include(GoogleTest)
endif()

set_property(GLOBAL PROPERTY TINTBOX_RULED_TARGETS "")

function(tintbox_library)
  cmake_parse_arguments(ARG "" "NAME;TYPE;COMPONENT" "SOURCES;DEPENDS;PRIVATE_DEPENDS;ALLOWED" ${ARGN})
  if(NOT ARG_TYPE)
    set(ARG_TYPE STATIC)
  endif()
  add_library(${ARG_NAME} ${ARG_TYPE} ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
  set_property(TARGET ${ARG_NAME} PROPERTY TINTBOX_ALLOWED "${ARG_ALLOWED}")
  set_property(GLOBAL APPEND PROPERTY TINTBOX_RULED_TARGETS ${ARG_NAME})
  if(ARG_TYPE STREQUAL "SHARED")
    # A library's calls of its own functions are bound when it is linked, not looked up by name
    # through every loaded library at each start.
    target_link_options(${ARG_NAME} PRIVATE -Wl,-Bsymbolic-functions)
    # One folder for all of them, as when installed: a program's run path is then one folder,
    # where the loader would otherwise try every system library in each library's own folder.
    set_target_properties(${ARG_NAME} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib)
    tintbox_install_library(TARGET ${ARG_NAME} COMPONENT "${ARG_COMPONENT}")
  endif()
endfunction()

function(tintbox_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT
                       "TINTBOX_SOURCE_DIR=${PROJECT_SOURCE_DIR};XDG_CACHE_HOME=${PROJECT_BINARY_DIR}/test-cache")
endfunction()

# The layering of the source tree: each ruled target may link only the project targets
# that its ALLOWED list names (outside libraries are not checked).
function(tintbox_check_dependency_rules)
  get_property(ruled GLOBAL PROPERTY TINTBOX_RULED_TARGETS)
  foreach(target IN LISTS ruled)
    get_property(allowed TARGET ${target} PROPERTY TINTBOX_ALLOWED)
    get_property(links TARGET ${target} PROPERTY LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link IN_LIST ruled AND NOT link IN_LIST allowed)
        message(FATAL_ERROR "${target} may not depend on ${link} (allowed: ${allowed})")
      endif()
    endforeach()
  endforeach()
endfunction()

# Adds each listed folder that has a CMakeLists.txt.
function(tintbox_add_folders)
  foreach(folder IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/CMakeLists.txt)
      add_subdirectory(${folder})
    endif()
  endforeach()
endfunction()
