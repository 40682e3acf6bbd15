# new, check and outline, and the usage exit code.
add_test(NAME cli.new_then_check
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> new \"$1/cli-new.kdl\" && $<TARGET_FILE:kardel-cli> check \"$1/cli-new.kdl\" | grep -qx ok" _ ${CMAKE_CURRENT_BINARY_DIR})
add_test(NAME cli.check_refuses_a_bad_file
  COMMAND sh -c "printf 'Version005\\0\\377\\377' > \"$1/cli-bad.kdl\"; $<TARGET_FILE:kardel-cli> check \"$1/cli-bad.kdl\" 2> \"$1/cli-bad.err\"; rc=$?; [ $rc -eq 1 ] && grep -q '予期しないﾌｧｲﾙ形式です。' \"$1/cli-bad.err\"" _ ${CMAKE_CURRENT_BINARY_DIR})
add_test(NAME cli.bad_usage_exits_2
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> frobnicate x; [ $? -eq 2 ]")
add_test(NAME cli.outline_of_a_new_document
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> new \"$1/cli-outline.kdl\" && [ \"$($<TARGET_FILE:kardel-cli> outline \"$1/cli-outline.kdl\")\" = \"$(printf 'cli-outline [0]\\n  ごみ箱 [2]')\" ]" _ ${CMAKE_CURRENT_BINARY_DIR})
# Without the CP932 converter kardel-cli says so and stops before touching anything.
add_test(NAME cli.stops_without_the_cp932_converter
  COMMAND sh -c "rm -f \"$2/cli-nocp932.kdl\"; LD_PRELOAD=\"$3\" \"$1\" new \"$2/cli-nocp932.kdl\" 2> \"$2/cli-nocp932.err\"; rc=$?; [ $rc -eq 1 ] && grep -q 'CP932' \"$2/cli-nocp932.err\" && [ ! -e \"$2/cli-nocp932.kdl\" ] && \"$1\" new \"$2/cli-nocp932.kdl\""
  _ $<TARGET_FILE:kardel-cli> ${CMAKE_CURRENT_BINARY_DIR} ${KARDEL_NO_CP932})
