# --help and --version of kardel-cli and of the window, which the manual pages and the
# bash completion are made from. $1 is the program, $2 the project's version; each
# check runs in a folder of its own.
function(kardel_help_check name program script)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/cli-${name})
  file(MAKE_DIRECTORY ${dir})
  add_test(NAME cli.${name} COMMAND sh -c "${script}" _ $<TARGET_FILE:${program}> ${PROJECT_VERSION}
           WORKING_DIRECTORY ${dir})
endfunction()

kardel_help_check(help_and_version_on_stdout kardel-cli [=[
"$1" --help > help.txt 2> err.txt && [ ! -s err.txt ] && head -n 1 help.txt | grep -q '^Usage: kardel-cli COMMAND' &&
grep -q '^Exit status:$' help.txt && "$1" -h | cmp -s - help.txt &&
[ "$("$1" --version)" = "kardel-cli $2" ] && [ "$("$1" -V)" = "kardel-cli $2" ] &&
"$1" --help > /dev/full; [ $? -eq 1 ]]=])

# Every command the help lists answers COMMAND --help with its own usage, whose
# lists are all in the whole help (where the manual page is made from); a wrong
# option shows that usage on stderr and writes nothing.
kardel_help_check(every_command_has_its_help kardel-cli [=[
cmds=$("$1" --help | awk '/^Commands:$/ { on = 1; next } /^[^ ]/ { on = 0 } on && /^  [^ ]/ { print $1 }') &&
[ "$(echo $cmds)" = "apply build check dump export export-memo merge new outline search" ] || exit 1
for c in $cmds; do
  "$1" $c --help > c.txt || exit 1
  head -n 1 c.txt | grep -q "^Usage: kardel-cli $c " || exit 1
  "$1" --help | awk -v c=$c '/^[^ ].* of [^ ]*:$/ { on = ($NF == c ":") ; next } /^[^ ]/ { on = 0 } on' | grep '^  ' > l.txt
  sed '1,/^$/d' c.txt | grep '^  ' | cmp -s - l.txt || exit 1
  "$1" $c --no-such-option 2> e.txt; [ $? -eq 2 ] && head -n 1 e.txt | grep -q "^Usage: kardel-cli $c " || exit 1
done
[ -z "$(ls | grep -v -x -e c.txt -e e.txt -e l.txt)" ] && "$1" frobnicate 2> e.txt; [ $? -eq 2 ] &&
grep -q "unknown command 'frobnicate'" e.txt]=])

if(TARGET kardel)
  # Answered before any window exists, so no display is needed.
  kardel_help_check(window_help_and_version kardel [=[
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$1" --help > help.txt && head -n 1 help.txt | grep -q '^Usage: kardel \[FILE.kdl\]' && grep -q -- '--version' help.txt &&
[ "$("$1" --version)" = "kardel $2" ] && QT_QPA_PLATFORM=offscreen "$1" --bogus 2>/dev/null; [ $? -eq 2 ]]=])
endif()
