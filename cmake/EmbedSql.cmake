# Writes a C++ source and its header holding the demo database scripts, so
# that the library can create the demo database wherever it is installed.
file(READ "${SCHEMA}" schema)
file(READ "${DEMO}" demo)
set(delim "qelt_sql_")
set(banner "// Generated from data/schema.sql and data/demo.sql by cmake/EmbedSql.cmake. Do not edit.\n")
file(WRITE "${OUT_H}" "${banner}"
  "#pragma once\n\n"
  "namespace qelt::support {\n\n"
  "// The schema of the demo database, then its rows: SQLite scripts.\n"
  "extern const char* const kDemoSchemaSql;\n"
  "extern const char* const kDemoDataSql;\n\n"
  "}  // namespace qelt::support\n")
file(WRITE "${OUT_CPP}" "${banner}"
  "#include \"data/demo_sql.h\"\n\n"
  "namespace qelt::support {\n"
  "const char* const kDemoSchemaSql = R\"${delim}(${schema})${delim}\";\n"
  "const char* const kDemoDataSql = R\"${delim}(${demo})${delim}\";\n"
  "}  // namespace qelt::support\n")
