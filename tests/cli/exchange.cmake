# export --format and merge of OPML and Markdown sources (kardel_cli_script is defined in apply.cmake).
set(KARDEL_DEMO ${PROJECT_SOURCE_DIR}/res/demo/demo.kdl)

set(script [=[
$K export "@DEMO@" --memo 0 --with-trash --format opml -o demo.opml && head -c 38 demo.opml | grep -q '^<?xml version="1.0" encoding="UTF-8"?>' &&
$K new t.kdl && $K apply t.kdl t.kdl new-untitled rename T &&
$K merge t.kdl "@DEMO@" --under 2 from-kdl.kdl && $K merge t.kdl demo.opml --under 2 from-opml.kdl 2> err.txt && [ ! -s err.txt ] &&
$K outline from-kdl.kdl | tail -n +2 > a.txt && $K outline from-opml.kdl | tail -n +2 > b.txt && [ $(wc -l < a.txt) -gt 10 ] && cmp a.txt b.txt
]=])
string(REPLACE "@DEMO@" "${KARDEL_DEMO}" script "${script}")
kardel_cli_script(exchange_opml_round_trip_of_the_demo "${script}")

kardel_cli_script(exchange_formats_and_usage [=[
$K new a.kdl && $K apply a.kdl a.kdl new-untitled rename 'A <&>' &&
[ "$($K export a.kdl --memo 0 --format markdown | head -1)" = '# A \<\&\>' ] &&
$K export a.kdl --memo 0 --format html -o a.html && grep -q '<title>a</title>' a.html && grep -q 'A &lt;&amp;&gt;' a.html &&
$K export a.kdl --memo 0 --format text -o a.txt && $K export a.kdl --memo 0 -o b.txt && cmp a.txt b.txt &&
$K export a.kdl --format rtf; [ $? -eq 2 ]
]=])

kardel_cli_script(exchange_merge_markdown_tells_of_replaced_characters [=[
$K new a.kdl && $K apply a.kdl a.kdl new-untitled rename T && printf '# caf\303\251\n\nbody \360\237\230\200\n\n## sub\n' > n.md &&
$K merge a.kdl n.md --under 2 b.kdl 2> err.txt && grep -q '2個' err.txt &&
[ "$($K outline b.kdl)" = "$(printf 'b [0]\n  T [0]\n    caf? [1]\n      sub [4]\n  ごみ箱 [2]')" ]
]=])

kardel_cli_script(exchange_merge_refuses_bad_opml [=[
$K new a.kdl && printf '<?xml version="1.0"?>\n<opml><body><outline text="x"></body></opml>' > bad.opml &&
$K merge a.kdl bad.opml --under 0 b.kdl 2> err.txt; [ $? -eq 1 ] && grep -q 'OPMLﾌｧｲﾙを読み込めません(2行目: mismatched tag)' err.txt && [ ! -e b.kdl ]
]=])
