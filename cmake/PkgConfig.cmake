# qelt_install_pkg_config(<name> COMPONENT <component> LIBRARY <library>
#                         DESCRIPTION <text> [REQUIRES <module>...])
# installs <libdir>/pkgconfig/<name>.pc. Its prefix is found from the file's
# own folder (${pcfiledir}), so an installation or an unpacked package works
# wherever it lies.
function(qelt_install_pkg_config name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COMPONENT;LIBRARY;DESCRIPTION" "REQUIRES")
  set(pc_dir "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig")
  file(RELATIVE_PATH pc_prefix "${pc_dir}" "${CMAKE_INSTALL_PREFIX}")
  file(RELATIVE_PATH pc_libdir "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_LIBDIR}")
  file(RELATIVE_PATH pc_includedir "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
  string(REGEX REPLACE "/$" "" pc_prefix "${pc_prefix}")
  set(pc_requires "")
  if(arg_REQUIRES)
    list(JOIN arg_REQUIRES ", " requires)
    set(pc_requires "Requires: ${requires}\n")
  endif()
  set(pc_name "${name}")
  set(pc_description "${arg_DESCRIPTION}")
  set(pc_library "${arg_LIBRARY}")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/pkg-config.pc.in"
                 "${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc"
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT ${arg_COMPONENT})
endfunction()
