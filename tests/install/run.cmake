# Installs the build into a private prefix, then
# - runs the installed tool from the prefix (no LD_LIBRARY_PATH) on the
#   installed demo database, and once more with that database removed, when
#   the library must write its own copy rather than read one of the build tree;
# - configures, builds and runs a host project against the prefix with
#   find_package(QeltSqlWhere2 CONFIG).
set(prefix "${WORK}/prefix")
set(consumer "${WORK}/consumer")
set(cache "${WORK}/cache")
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "install failed")
endif()

set(tool "${prefix}/${BINDIR}/qelt-filter")
set(installed_db "${prefix}/${DATADIR}/qeltsqlwhere2/demo.db")
if(NOT EXISTS "${tool}" OR NOT EXISTS "${installed_db}")
  message(FATAL_ERROR "the prefix lacks the tool or the demo database: '${tool}' '${installed_db}'")
endif()
function(run_tool expected_start)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH --unset=QELT_DATABASE
            --unset=QELT_PROPS XDG_CACHE_HOME=${cache} "${tool}" ${ARGN}
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(FIND "${out}" "${expected_start}" at)
  if(rc OR NOT at EQUAL 0)
    message(FATAL_ERROR "qelt-filter ${ARGN} (exit ${rc}) printed '${out}' '${err}', "
                        "expected it to start with '${expected_start}'")
  endif()
endfunction()

run_tool("id\ttemplate\tname\n1\t" lists)
run_tool("SELECT TOP " sql --list 1)
if(EXISTS "${cache}")
  message(FATAL_ERROR "the installed library did not find the installed demo database")
endif()
file(REMOVE "${installed_db}")
run_tool("id\ttemplate\tname\n1\t" lists)
if(NOT EXISTS "${cache}/qeltsqlwhere2/demo.db")
  message(FATAL_ERROR "without its installed demo database the library read another copy")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/install/consumer" -B "${consumer}"
                        -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "the consumer does not configure")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${consumer}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(rc)
  message(FATAL_ERROR "the consumer does not build")
endif()
execute_process(COMMAND "${consumer}/consumer" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
set(expected "[ (     t1.FBillNo = 'X') ]\n-1\n")
if(rc OR NOT out STREQUAL expected)
  message(FATAL_ERROR "consumer printed '${out}' (exit ${rc}), expected '${expected}'")
endif()
message(STATUS "installed tool and package run from the prefix")
