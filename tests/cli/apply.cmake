# apply and merge: tree commands on a document, run through the same engine as the window.
# Each check is a shell script with $K the program and $D a folder of its own.
function(kardel_cli_script name script)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/cli-${name})
  add_test(NAME cli.${name}
    COMMAND sh -c "rm -rf \"$2\" && mkdir -p \"$2\" && cd \"$2\" && K=\"$1\" && ${script}" _ $<TARGET_FILE:kardel-cli> ${dir})
  set_tests_properties(cli.${name} PROPERTIES ENVIRONMENT "KARDEL_NOW=958000000;TZ=Asia/Tokyo")
endfunction()

kardel_cli_script(apply_builds_an_outline [=[
$K new a.kdl && $K apply a.kdl b.kdl new-untitled rename A select 0 new-untitled rename B select 2 new-untitled rename A1 select 3 down level-down &&
[ "$($K outline b.kdl)" = "$(printf 'b [0]\n  A [0]\n    B [4]\n    A1 [4]\n  ごみ箱 [2]')" ]]=])

kardel_cli_script(apply_copy_paste_and_trash [=[
$K new a.kdl && $K apply a.kdl b.kdl new-untitled rename A select 0 new-untitled rename B select 2 new-untitled rename A1 select 3 down level-down &&
$K apply b.kdl c.kdl select 4 copy select 3 paste paste select 4 trash &&
[ "$($K outline c.kdl)" = "$(printf 'c [0]\n  A [0]\n    A1 [0]\n      B [4]\n      B [4]\n  ごみ箱 [3]\n    B [4]')" ] &&
$K apply c.kdl d.kdl select 2 copy trash paste 2> err.txt; [ $? -eq 3 ] && grep -q paste err.txt &&
$K apply c.kdl d.kdl select 3 level-up empty-trash &&
[ "$($K outline d.kdl)" = "$(printf 'd [0]\n  A [4]\n  A1 [1]\n    B [4]\n    B [4]\n  ごみ箱 [2]')" ]]=])

kardel_cli_script(apply_disabled_command_exits_3_and_writes_nothing [=[
$K new a.kdl && $K apply a.kdl b.kdl select 0 up 2> err.txt; rc=$?;
[ $rc -eq 3 ] && grep -q up err.txt && [ ! -e b.kdl ] &&
$K apply a.kdl b.kdl paste; [ $? -eq 3 ] && [ ! -e b.kdl ] &&
$K apply a.kdl b.kdl empty-trash; [ $? -eq 3 ] && [ ! -e b.kdl ] &&
$K apply a.kdl b.kdl select 1 trash; [ $? -eq 3 ] && [ ! -e b.kdl ]]=])

kardel_cli_script(apply_bad_usage_exits_2 [=[
$K new a.kdl; $K apply a.kdl b.kdl frobnicate; [ $? -eq 2 ] && $K apply a.kdl b.kdl select; [ $? -eq 2 ] &&
$K apply a.kdl b.kdl select x; [ $? -eq 2 ] && $K apply a.kdl b.kdl select 9; [ $? -eq 2 ] && [ ! -e b.kdl ]]=])

kardel_cli_script(apply_set_body_with_escapes [=[
$K new a.kdl && $K apply a.kdl b.kdl new-untitled set-body 'x\r\ny\tz' select 0 &&
od -An -c b.kdl | tr -d ' \n' | grep -q 'x\\r\\ny\\tz']=])

kardel_cli_script(apply_cycle_drop_and_expand [=[
$K new a.kdl && $K apply a.kdl b.kdl new-untitled rename A select 0 new-untitled rename B cycle cycle &&
[ "$($K outline b.kdl)" = "$(printf 'b [0]\n  B [6]\n  A [4]\n  ごみ箱 [2]')" ] &&
$K apply b.kdl c.kdl select 3 drop 2 select 3 drop 3 drop 2 &&
[ "$($K outline c.kdl)" = "$(printf 'c [0]\n  A [0]\n    B [6]\n  ごみ箱 [2]')" ] &&
$K apply c.kdl d.kdl select 3 drop-copy 2 select 0 collapse 2 &&
[ "$($K outline d.kdl)" = "$(printf 'd [0]\n  A [1]\n    B [6]\n    B [6]\n  ごみ箱 [2]')" ] &&
# collapse-all changes the images only; the kind follows the user's expansion
$K apply d.kdl e.kdl expand 2 expand-all collapse-all && $K outline e.kdl | grep -qx '  A \[0\]']=])

kardel_cli_script(merge_imports_below_a_memo [=[
$K new t.kdl && $K apply t.kdl t2.kdl new-untitled rename T &&
$K new s.kdl && $K apply s.kdl s2.kdl new-untitled rename S new-untitled rename S1 select 0 new-untitled rename Y trash &&
$K merge t2.kdl s2.kdl --under 2 out.kdl &&
[ "$($K outline out.kdl)" = "$(printf 'out [0]\n  T [0]\n    S [0]\n      S1 [4]\n  ごみ箱 [3]\n    Y [4]')" ] &&
$K apply t2.kdl out2.kdl select 2 import s2.kdl && [ "$($K outline out2.kdl | tail -n +2)" = "$($K outline out.kdl | tail -n +2)" ]]=])

kardel_cli_script(merge_of_a_bad_file_writes_nothing [=[
$K new t.kdl && printf 'Version005\0\377\377' > bad.kdl && $K merge t.kdl bad.kdl --under 0 out.kdl 2> err.txt; rc=$?;
[ $rc -eq 1 ] && grep -q '予期しないﾌｧｲﾙ形式です。' err.txt && [ ! -e out.kdl ] &&
$K apply t.kdl out.kdl import missing.kdl; [ $? -eq 1 ] && [ ! -e out.kdl ] &&
$K merge t.kdl t.kdl --under 7 out.kdl; [ $? -eq 2 ] && [ ! -e out.kdl ]]=])

kardel_cli_script(apply_undo_and_redo [=[
$K new a.kdl && $K apply a.kdl b.kdl new-untitled rename A &&
$K apply b.kdl c.kdl select 2 trash undo && [ "$($K outline c.kdl | tail -n +2)" = "$($K outline b.kdl | tail -n +2)" ] &&
$K apply b.kdl d.kdl select 2 trash undo redo && $K apply b.kdl e.kdl select 2 trash &&
[ "$($K outline d.kdl | tail -n +2)" = "$($K outline e.kdl | tail -n +2)" ] &&
$K apply b.kdl f.kdl undo 2> err.txt; [ $? -eq 3 ] && grep -q undo err.txt && [ ! -e f.kdl ] &&
$K apply b.kdl f.kdl select 2 trash redo; [ $? -eq 3 ] && [ ! -e f.kdl ]]=])
kardel_cli_script(apply_cut_memos_stay_until_pasted [=[
$K new x.kdl && $K apply x.kdl y.kdl new-untitled rename B cut select 0 new-untitled trash select 0 paste &&
[ "$($K outline y.kdl)" = "$(printf 'y [0]\n  B [4]\n  ごみ箱 [3]\n    名称未決定 [4]')" ]]=])

# Merged below the root, the memos come after the trash: the file opens again, and
# a level down from there goes into the trash, which then shows that it holds memos.
kardel_cli_script(merge_below_the_root_opens_again [=[
$K new a.kdl && $K apply a.kdl e.kdl new-untitled rename E && $K merge a.kdl e.kdl --under 0 m.kdl &&
[ "$($K outline m.kdl)" = "$(printf 'm [0]\n  ごみ箱 [2]\n  E [4]')" ] &&
$K apply m.kdl n.kdl select 2 down 2> err.txt; [ $? -eq 3 ] &&
$K apply m.kdl n.kdl select 2 level-down && [ "$($K outline n.kdl)" = "$(printf 'n [0]\n  ごみ箱 [3]\n    E [4]')" ] &&
$K apply m.kdl o.kdl select 2 up && [ "$($K outline o.kdl)" = "$(printf 'o [0]\n  E [4]\n  ごみ箱 [2]')" ]]=])

# apply and merge retitle the root after OUT as saving does; new keeps "Data".
kardel_cli_script(saving_under_out_retitles_the_root [=[
$K new a.kdl && $K dump a.kdl | grep -q '"title": "Data"' &&
$K apply a.kdl plan.kdl && $K dump plan.kdl | grep -q '"title": "plan"' &&
$K merge plan.kdl a.kdl --under 0 work.v2.kdl && $K dump work.v2.kdl | grep -q '"title": "work.v2"' &&
! $K dump work.v2.kdl | grep -q '"title": "plan"']=])
