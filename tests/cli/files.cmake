# kardel-cli and the file system around its outputs and inputs: devices, FIFOs,
# links, read-only files, long names, full disks and signals (tests/cli/files.sh).
foreach(files_case stdout_failures readers targets signal)
  add_test(NAME cli.files_${files_case}
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cli/files.sh ${files_case} ${KARDEL_CLI} ${CMAKE_CURRENT_SOURCE_DIR}/data
            ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(cli.files_${files_case} PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)
endforeach()
