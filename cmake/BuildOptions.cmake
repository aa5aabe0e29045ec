# Compile and link options every target of the project links
# (qelt_build_options), instead of flags set for the whole directory tree, so
# that a project embedding this one keeps its own.
add_library(qelt_warnings INTERFACE)
target_compile_options(qelt_warnings INTERFACE -Wall -Wextra $<$<BOOL:${QELT_WERROR}>:-Werror>)

add_library(qelt_sanitize INTERFACE)
if(QELT_SANITIZE OR QELT_BUILD_FUZZ)
  # SOCI's libraries do not export the type information of their backend
  # classes, which UBSan's vptr check needs wherever SOCI's headers downcast.
  target_compile_options(qelt_sanitize INTERFACE -fsanitize=address,undefined
    -fno-omit-frame-pointer -fno-sanitize-recover=undefined -fno-sanitize=vptr)
  target_link_options(qelt_sanitize INTERFACE -fsanitize=address,undefined)
endif()
if(QELT_BUILD_FUZZ)
  # Coverage for libFuzzer in every object; only the fuzz targets link its main.
  target_compile_options(qelt_sanitize INTERFACE -fsanitize=fuzzer-no-link)
endif()

add_library(qelt_build_options INTERFACE)
target_link_libraries(qelt_build_options INTERFACE qelt_warnings qelt_sanitize)
