# Debian packages of the installation, one per install component, built by
# `cpack -G DEB` in the build folder (scripts/check-packages.sh checks them):
#   libqeltsqlwhere2-<so>      runtime   the shared library and its demo database
#   libqeltsqlwhere2-dev       dev       headers, CMake package, qeltsqlwhere2.pc
#   qelt-filter                tool      the command-line tool
#   libqeltsqlwhere2-qt<so>    qt        the Qt front end's library
#   libqeltsqlwhere2-qt-dev    qt_dev    its header, CMake targets, qeltsqlwhere2-qt.pc
# <so> is the SONAME's version (QELT_SOVERSION); the names are the ones
# Debian derives from the SONAMEs. Libraries of the system are found by
# dpkg-shlibdeps; the packages' dependencies on each other are stated here.
set(QELT_PACKAGE_CONTACT "QeltSqlWhere2 developers <developers@qeltsqlwhere2.invalid>"
    CACHE STRING "Maintainer of the Debian packages (\"Name <address>\")")

set(deb_revision 1)
set(deb_version "${PROJECT_VERSION}-${deb_revision}")
set(runtime_package "libqeltsqlwhere2-${QELT_SOVERSION}")
set(qt_package "libqeltsqlwhere2-qt${QELT_SOVERSION}")
set(packages runtime ${runtime_package} dev libqeltsqlwhere2-dev)
if(TARGET qelt-filter)
  list(APPEND packages tool qelt-filter)
endif()
if(TARGET qelt_sqlwhere_qt)
  list(APPEND packages qt ${qt_package} qt_dev libqeltsqlwhere2-qt-dev)
endif()

# The release's date comes from its CHANGELOG.md entry, which must exist.
file(STRINGS "${PROJECT_SOURCE_DIR}/CHANGELOG.md" release_heading
     REGEX "^## \\[${PROJECT_VERSION}\\] - [0-9]+-[0-9]+-[0-9]+$")
if(NOT release_heading MATCHES "([0-9]+)-[0-9]+-[0-9]+$")
  message(FATAL_ERROR "CHANGELOG.md has no entry \"## [${PROJECT_VERSION}] - YYYY-MM-DD\"")
endif()
set(release_year "${CMAKE_MATCH_1}")
string(REGEX MATCH "[0-9]+-[0-9]+-[0-9]+$" release_date "${release_heading}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d "${release_date}"
                OUTPUT_VARIABLE release_rfc2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

# Each package's usr/share/doc/<package>: the copyright, the Debian changelog
# and the project's own changelog, compressed the way Debian wants them
# (gzip -9n: no name, no time stamp).
set(doc_build "${PROJECT_BINARY_DIR}/packaging")
configure_file(cmake/deb/copyright.in "${doc_build}/copyright" @ONLY)
execute_process(COMMAND gzip -9n INPUT_FILE "${PROJECT_SOURCE_DIR}/CHANGELOG.md"
                OUTPUT_FILE "${doc_build}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/CHANGELOG.md")
set(components "")
while(packages)
  list(POP_FRONT packages component package)
  list(APPEND components ${component})
  string(TOUPPER "${component}" COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${package})
  configure_file(cmake/deb/changelog.Debian.in "${doc_build}/${package}/changelog.Debian" @ONLY)
  execute_process(COMMAND gzip -9n INPUT_FILE "${doc_build}/${package}/changelog.Debian"
                  OUTPUT_FILE "${doc_build}/${package}/changelog.Debian.gz"
                  COMMAND_ERROR_IS_FATAL ANY)
  # Only in packages: a plain installation has no use for Debian's files.
  install(FILES "${doc_build}/copyright" "${doc_build}/changelog.gz"
                "${doc_build}/${package}/changelog.Debian.gz"
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endwhile()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qeltsqlwhere2)
set(CPACK_PACKAGE_VENDOR "QeltSqlWhere2 developers")
set(CPACK_PACKAGE_CONTACT "${QELT_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${deb_revision})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the project's own libraries in the build tree; they
# belong to no installed package, and the dependencies on their packages
# are the ones below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${QELT_BUILD_LIBDIR}")
if(TARGET qelt_sqlwhere_qt)
  get_target_property(qt_build_dir qelt_sqlwhere_qt BINARY_DIR)
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${qt_build_dir}")
endif()
# A program built against this release runs with any later one of the same
# SONAME: the shlibs file asks for at least this version.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/cmake/deb/triggers")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
"ERP list SQL and filter dialogs: shared library
The library that ERP client programs embed to filter their document lists:
it builds a list's SQL Server SELECT from the list templates stored in the
ERP database and runs the filter dialog's rules on toolkit-free control
models. Includes the demo database that the library uses when no other
database is set; a user who cannot write the installed copy works on a
copy in the cache folder.")

set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${runtime_package} (= ${deb_version})")
set(CPACK_DEBIAN_DEV_DESCRIPTION
"ERP list SQL and filter dialogs: development files
Headers (include/qelt), the CMake package QeltSqlWhere2 (target
qelt::sqlwhere) and the pkg-config module qeltsqlwhere2 for programs that
use the QeltSqlWhere2 library.")

set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "${runtime_package} (>= ${PROJECT_VERSION})")
if(TARGET qelt_sqlwhere_qt)
  string(APPEND CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS ", ${qt_package} (>= ${PROJECT_VERSION})")
endif()
set(CPACK_DEBIAN_TOOL_DESCRIPTION
"ERP list SQL and filter dialogs: command-line tool
qelt-filter prints the lists of an ERP database and the SQL of a list,
shows a list's filter dialog (scripted, or in Qt with a display), writes
the demo database, and lists, exports, imports and checks users' filter
schemes.")

set(CPACK_DEBIAN_QT_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_QT_PACKAGE_DEPENDS "${runtime_package} (>= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_QT_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/cmake/deb/triggers")
set(CPACK_DEBIAN_QT_DESCRIPTION
"ERP list SQL and filter dialogs: Qt front end
Draws the filter dialogs of the QeltSqlWhere2 library with Qt 6 Widgets:
modal dialogs, message boxes and searchable look-up windows.")

set(CPACK_DEBIAN_QT_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_QT_DEV_PACKAGE_DEPENDS
    "${qt_package} (= ${deb_version}), libqeltsqlwhere2-dev (= ${deb_version}), qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_QT_DEV_DESCRIPTION
"ERP list SQL and filter dialogs: Qt front end development files
The header qelt/qt/qt_dialogs.h, the CMake component qt of the package
QeltSqlWhere2 (target qelt::sqlwhere_qt) and the pkg-config module
qeltsqlwhere2-qt.")

include(CPack)
