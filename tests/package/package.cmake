# The Debian package: cpack builds it into package-test/ (a few seconds once the
# programs are built), then its contents are checked and lintian looks at it.
set(KARDEL_PACKAGE_DIR ${CMAKE_CURRENT_BINARY_DIR}/package-test)
add_test(NAME package.build
  COMMAND sh -c "rm -f \"$2\"/kardel_*.deb && cd \"$1\" && \"$3\" -G DEB -B \"$2\" > \"$2.log\" || { cat \"$2.log\"; exit 1; }"
          _ ${PROJECT_BINARY_DIR} ${KARDEL_PACKAGE_DIR} ${CMAKE_CPACK_COMMAND})
set_tests_properties(package.build PROPERTIES FIXTURES_SETUP kardel_deb)
add_test(NAME package.contents
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/check_package.sh ${KARDEL_PACKAGE_DIR} ${PROJECT_VERSION})
add_test(NAME package.lintian_reports_no_error
  COMMAND sh -c "lintian --fail-on error \"$1\"/kardel_\"$2\"_*.deb" _ ${KARDEL_PACKAGE_DIR} ${PROJECT_VERSION})
set_tests_properties(package.contents package.lintian_reports_no_error PROPERTIES FIXTURES_REQUIRED kardel_deb)
