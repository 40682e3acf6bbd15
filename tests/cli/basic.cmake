# new, check and outline, and the usage exit code.
add_test(NAME cli.new_then_check
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> new \"$1/cli-new.kdl\" && $<TARGET_FILE:kardel-cli> check \"$1/cli-new.kdl\" | grep -qx ok" _ ${CMAKE_CURRENT_BINARY_DIR})
add_test(NAME cli.check_refuses_a_bad_file
  COMMAND sh -c "printf 'Version005\\0\\377\\377' > \"$1/cli-bad.kdl\"; $<TARGET_FILE:kardel-cli> check \"$1/cli-bad.kdl\" 2> \"$1/cli-bad.err\"; rc=$?; [ $rc -eq 1 ] && grep -q '予期しないﾌｧｲﾙ形式です。' \"$1/cli-bad.err\"" _ ${CMAKE_CURRENT_BINARY_DIR})
add_test(NAME cli.bad_usage_exits_2
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> frobnicate x; [ $? -eq 2 ]")
add_test(NAME cli.outline_of_a_new_document
  COMMAND sh -c "$<TARGET_FILE:kardel-cli> new \"$1/cli-outline.kdl\" && [ \"$($<TARGET_FILE:kardel-cli> outline \"$1/cli-outline.kdl\")\" = \"$(printf 'cli-outline [0]\\n  ごみ箱 [2]')\" ]" _ ${CMAKE_CURRENT_BINARY_DIR})
