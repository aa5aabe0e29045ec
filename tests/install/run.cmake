# Installs the build into a private prefix, then
# - runs the installed tool from the prefix (no LD_LIBRARY_PATH) on the
#   installed demo database; with that database read-only (the file, or its
#   folder), when the library must work on a copy of it in the cache folder,
#   or on the installed one when no copy can be made there; and with it
#   removed, when the library must write its own copy rather than read one
#   of the build tree;
# - configures, builds and runs a host project against the prefix with
#   find_package(QeltSqlWhere2 CONFIG) (tests/package/host).
set(prefix "${WORK}/prefix")
set(consumer "${WORK}/consumer")
set(cache "${WORK}/cache")
if(EXISTS "${WORK}")
  # A run that failed may have left a folder read-only.
  execute_process(COMMAND chmod -R u+w "${WORK}")
endif()
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
# Mode bits decide, not access() alone, so that this holds for root as well.
get_filename_component(installed_folder "${installed_db}" DIRECTORY)
set(file_mode OWNER_READ GROUP_READ WORLD_READ)
set(folder_mode ${file_mode} OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
function(lock file_writable folder_writable)
  file(CHMOD "${installed_db}" PERMISSIONS ${file_mode} ${file_writable})
  file(CHMOD "${installed_folder}" PERMISSIONS ${folder_mode} ${folder_writable})
endfunction()
file(SHA256 "${installed_db}" installed_hash)
foreach(locked IN ITEMS "the file" "its folder")
  if(locked STREQUAL "the file")
    lock("" OWNER_WRITE)
  else()
    lock(OWNER_WRITE "")
  endif()
  run_tool("id\ttemplate\tname\n1\t" lists)
  if(NOT EXISTS "${cache}/qeltsqlwhere2/demo.db")
    message(FATAL_ERROR "with ${locked} read-only the library made no copy in the cache folder")
  endif()
  file(SHA256 "${cache}/qeltsqlwhere2/demo.db" copy_hash)
  if(NOT copy_hash STREQUAL installed_hash)
    message(FATAL_ERROR "with ${locked} read-only the cache holds no copy of the installed database")
  endif()
  # The dialog's OK saves the user's default scheme: into the copy.
  run_tool("SELECT TOP " show --list 1 --accept)
  file(SHA256 "${cache}/qeltsqlwhere2/demo.db" copy_hash)
  file(SHA256 "${installed_db}" hash)
  if(copy_hash STREQUAL installed_hash OR NOT hash STREQUAL installed_hash)
    message(FATAL_ERROR "with ${locked} read-only the dialog's OK did not save into the copy")
  endif()
  file(REMOVE_RECURSE "${cache}")
endforeach()
# Without a cache folder (its place is a file) the read-only installed copy
# still serves lists.
file(TOUCH "${WORK}/a-file")
set(home_cache "${cache}")
set(cache "${WORK}/a-file")
run_tool("id\ttemplate\tname\n1\t" lists)
set(cache "${home_cache}")
lock(OWNER_WRITE OWNER_WRITE)

file(REMOVE "${installed_db}")
run_tool("id\ttemplate\tname\n1\t" lists)
if(NOT EXISTS "${cache}/qeltsqlwhere2/demo.db")
  message(FATAL_ERROR "without its installed demo database the library read another copy")
endif()

# The host program of the Debian packages' check, built against the prefix.
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/package/host" -B "${consumer}"
                        -DCMAKE_PREFIX_PATH=${prefix} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc)
  execute_process(COMMAND ${CMAKE_COMMAND} --build "${consumer}" RESULT_VARIABLE rc OUTPUT_QUIET)
endif()
if(rc)
  message(FATAL_ERROR "the host project does not configure or build against the prefix")
endif()
set(tool "${consumer}/host")
run_tool("headers ")
message(STATUS "installed tool and package run from the prefix")
