# Writes a C++ source that holds the demo database scripts, so that the
# library can create the demo database wherever it is installed.
file(READ "${SCHEMA}" schema)
file(READ "${DEMO}" demo)
set(delim "qelt_sql_")
file(WRITE "${OUT}" "// Generated from data/schema.sql and data/demo.sql. Do not edit.\n"
  "namespace qelt::support {\n"
  "extern const char* const kDemoSchemaSql;\nextern const char* const kDemoDataSql;\n"
  "const char* const kDemoSchemaSql = R\"${delim}(${schema})${delim}\";\n"
  "const char* const kDemoDataSql = R\"${delim}(${demo})${delim}\";\n"
  "}  // namespace qelt::support\n")
