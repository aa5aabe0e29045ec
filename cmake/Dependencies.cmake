# Every dependency comes from Debian packages installed by scripts/bootstrap.sh.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(ODBC REQUIRED IMPORTED_TARGET odbc)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
find_package(Boost REQUIRED)
find_package(nlohmann_json REQUIRED)

# libsoci-dev ships neither a CMake package nor a pkg-config file.
find_path(SOCI_INCLUDE_DIR soci/soci.h REQUIRED)
find_library(SOCI_CORE_LIBRARY soci_core REQUIRED)
find_library(SOCI_SQLITE3_LIBRARY soci_sqlite3 REQUIRED)
find_library(SOCI_ODBC_LIBRARY soci_odbc REQUIRED)
add_library(soci::core UNKNOWN IMPORTED)
set_target_properties(soci::core PROPERTIES IMPORTED_LOCATION "${SOCI_CORE_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${SOCI_INCLUDE_DIR};${Boost_INCLUDE_DIRS}")
add_library(soci::sqlite3 UNKNOWN IMPORTED)
set_target_properties(soci::sqlite3 PROPERTIES IMPORTED_LOCATION "${SOCI_SQLITE3_LIBRARY}"
  INTERFACE_LINK_LIBRARIES "soci::core;PkgConfig::SQLITE3")
add_library(soci::odbc UNKNOWN IMPORTED)
set_target_properties(soci::odbc PROPERTIES IMPORTED_LOCATION "${SOCI_ODBC_LIBRARY}"
  INTERFACE_LINK_LIBRARIES "soci::core;PkgConfig::ODBC")

add_library(qelt_deps INTERFACE)
target_link_libraries(qelt_deps INTERFACE soci::sqlite3 soci::odbc soci::core
  PkgConfig::SQLITE3 PkgConfig::ODBC PkgConfig::INIH nlohmann_json::nlohmann_json
  ${CMAKE_DL_LIBS})

