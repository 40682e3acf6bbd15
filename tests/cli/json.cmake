# dump and build.
set(KARDEL_RICH_JSON ${CMAKE_CURRENT_SOURCE_DIR}/data/rich.json)
add_test(NAME cli.dump_then_build_gives_back_the_bytes
  COMMAND sh -c "set -e; K=$<TARGET_FILE:kardel-cli>; d=\"$1/cli-json-rt\"; rm -rf \"$d\"; mkdir -p \"$d\"
    $K new \"$d/new.kdl\"; $K dump \"$d/new.kdl\" > \"$d/new.json\"; $K build \"$d/new.json\" \"$d/new2.kdl\"; cmp \"$d/new.kdl\" \"$d/new2.kdl\"
    $K build \"$2\" \"$d/rich.kdl\"; $K dump \"$d/rich.kdl\" > \"$d/rich.json\"; $K build - \"$d/rich2.kdl\" < \"$d/rich.json\"; cmp \"$d/rich.kdl\" \"$d/rich2.kdl\"
    grep -q '\"kind\": 57' \"$d/rich.json\"; grep -q '\"title\": \"捨てたﾒﾓ\"' \"$d/rich.json\"; grep -q '\"version\": 5' \"$d/rich.json\"
    [ \"$($K outline \"$d/rich.kdl\" | sed -n 3p)\" = '    妙な種類 [57]' ]"
  _ ${CMAKE_CURRENT_BINARY_DIR} ${KARDEL_RICH_JSON})
add_test(NAME cli.build_refuses_and_writes_nothing
  COMMAND sh -c "K=$<TARGET_FILE:kardel-cli>; d=\"$1/cli-json-bad\"; rm -rf \"$d\"; mkdir -p \"$d\"
    printf '{\"memos\": [' > \"$d/broken.json\"
    $K build \"$d/broken.json\" \"$d/out.kdl\" 2> \"$d/err1\"; [ $? -eq 1 ] || exit 1; [ ! -e \"$d/out.kdl\" ] || exit 1
    grep -q 'not valid JSON' \"$d/err1\" || exit 1
    sed 's/\"memo\": 6,/\"memo\": 60,/' \"$2\" > \"$d/refused.json\"
    echo keep > \"$d/out.kdl\"
    $K build \"$d/refused.json\" \"$d/out.kdl\" 2> \"$d/err2\"; [ $? -eq 1 ] || exit 1; [ \"$(cat \"$d/out.kdl\")\" = keep ] || exit 1
    grep -q '予期しないﾌｧｲﾙ形式です。' \"$d/err2\" || exit 1
    $K build \"$2\" 2>/dev/null; [ $? -eq 2 ] || exit 1
    ls -A \"$d\" | grep -v -q -e json -e err -e out.kdl && exit 1; exit 0"
  _ ${CMAKE_CURRENT_BINARY_DIR} ${KARDEL_RICH_JSON})
add_test(NAME cli.dump_of_a_bad_file_exits_1
  COMMAND sh -c "K=$<TARGET_FILE:kardel-cli>; printf 'Version005\\0\\001' > \"$1/cli-json-bad.kdl\"
    $K dump \"$1/cli-json-bad.kdl\" > \"$1/cli-json-bad.out\" 2> \"$1/cli-json-bad.err\"; [ $? -eq 1 ] && [ ! -s \"$1/cli-json-bad.out\" ] && grep -q '予期しないﾌｧｲﾙ形式です。' \"$1/cli-json-bad.err\" &&
    $K dump 2>/dev/null; [ $? -eq 2 ]"
  _ ${CMAKE_CURRENT_BINARY_DIR})
