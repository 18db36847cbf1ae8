# Where an installed Tintbox keeps its files, and how the program finds them again.
#
#   bin/tintbox                        the command
#   <libdir>/tintbox/                  the platform's shared libraries and the plug-ins
#   <datadir>/tintbox/                 the pane's resources, its entry file and the sample set
#
# Nothing absolute is compiled in: the command knows only the way from its own folder to the
# other two, so an installed tree runs under any prefix and after a move. The build tree gets
# the same way laid out with links beside the built command (tintbox_build_tree_layout).
include(GNUInstallDirs)

# Install components are the binary packages (debian/control): everything goes to "tintbox"
# unless its rule names another, such as a host that pulls in a desktop toolkit.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME tintbox)

set(TINTBOX_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/tintbox)
set(TINTBOX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tintbox)
file(RELATIVE_PATH TINTBOX_LIBDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/tintbox)
file(RELATIVE_PATH TINTBOX_DATADIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tintbox)

# Installs a target under <libdir>/tintbox (or a folder below it) with an RPATH that finds
# the platform's libraries from wherever the tree ends up.
#   tintbox_install_library(TARGET name [SUBFOLDER folder] [COMPONENT package])
function(tintbox_install_library)
  cmake_parse_arguments(ARG "" "TARGET;SUBFOLDER;COMPONENT" "" ${ARGN})
  if(NOT ARG_COMPONENT)
    set(ARG_COMPONENT ${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME})
  endif()
  set(destination ${TINTBOX_INSTALL_LIBDIR})
  set(rpath "$ORIGIN")
  if(ARG_SUBFOLDER)
    set(destination ${destination}/${ARG_SUBFOLDER})
    file(RELATIVE_PATH back /root/${ARG_SUBFOLDER} /root)
    string(REGEX REPLACE "/$" "" back "${back}")
    set(rpath "$ORIGIN/${back}")
  endif()
  set_target_properties(${ARG_TARGET} PROPERTIES INSTALL_RPATH "${rpath}")
  install(TARGETS ${ARG_TARGET} LIBRARY DESTINATION ${destination} COMPONENT ${ARG_COMPONENT})
endfunction()

# The command itself, which reaches its libraries and data from bin/.
function(tintbox_install_program target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${TINTBOX_LIBDIR_FROM_BINDIR}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# Lays the installed tree's folders out beside a built program, as links into the build and
# source trees, so the built program finds its files by the same way as the installed one.
#   tintbox_build_tree_layout(PROGRAM target [LIBRARIES name=file ...] [DATA name=file ...])
function(tintbox_build_tree_layout)
  cmake_parse_arguments(ARG "" "PROGRAM" "LIBRARIES;DATA" ${ARGN})
  set(commands)
  foreach(kind IN ITEMS LIBRARIES DATA)
    if(kind STREQUAL "LIBRARIES")
      set(folder "$<TARGET_FILE_DIR:${ARG_PROGRAM}>/${TINTBOX_LIBDIR_FROM_BINDIR}")
    else()
      set(folder "$<TARGET_FILE_DIR:${ARG_PROGRAM}>/${TINTBOX_DATADIR_FROM_BINDIR}")
    endif()
    foreach(entry IN LISTS ARG_${kind})
      string(FIND "${entry}" "=" equals)
      string(SUBSTRING "${entry}" 0 ${equals} name)
      math(EXPR start "${equals} + 1")
      string(SUBSTRING "${entry}" ${start} -1 file)
      get_filename_component(parent "${folder}/${name}" DIRECTORY)
      list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory "${parent}"
           COMMAND ${CMAKE_COMMAND} -E create_symlink "${file}" "${folder}/${name}")
    endforeach()
  endforeach()
  add_custom_target(${ARG_PROGRAM}_build_tree_layout ALL ${commands} VERBATIM
                    COMMENT "Linking the installed layout beside ${ARG_PROGRAM}")
  add_dependencies(${ARG_PROGRAM} ${ARG_PROGRAM}_build_tree_layout)
endfunction()
