# search, export and export-memo over tests/data/cli/search.kdl, a document of
# eight memos (Folder with sub (collapsed, holding hidden) and finished, ツA, ツcA,
# and trashed in the trash), current memo Folder; expected outputs beside it.
set(KARDEL_CLI_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data/cli)
set(KARDEL_CLI_OUT ${CMAKE_CURRENT_BINARY_DIR}/cli-search)
file(MAKE_DIRECTORY ${KARDEL_CLI_OUT})

function(kardel_cli_check name script)
  add_test(NAME cli.${name} COMMAND sh -c "${script}" _ ${KARDEL_CLI} ${KARDEL_CLI_DATA} ${KARDEL_CLI_OUT})
  set_tests_properties(cli.${name} PROPERTIES ENVIRONMENT "TZ=Asia/Tokyo")
endfunction()

# $1 kardel-cli, $2 the data folder, $3 a scratch folder.
kardel_cli_check(search_with_the_stored_condition
  "\"$1\" search \"$2/search.kdl\" | cmp - \"$2/search-current.txt\"")
kardel_cli_check(search_all_sorted_by_due_date
  "\"$1\" search \"$2/search.kdl\" --all --sort 5 | cmp - \"$2/search-all-by-due.txt\"")
kardel_cli_check(search_string_starts_at_a_character_boundary
  "out=$(\"$1\" search \"$2/search.kdl\" --string cA --in title | cut -f1 | tr -d '\\r'); [ \"$out\" = \"$(printf 'タイトル\\nツcA')\" ]")
kardel_cli_check(search_standard_search
  "out=$(\"$1\" search \"$2/search.kdl\" --std 3 | tail -n +2 | cut -f1); [ \"$out\" = finished ]")
kardel_cli_check(search_kinds_below_a_memo_sorted_descending
  "out=$(\"$1\" search \"$2/search.kdl\" --kinds memo,folder,done --scope under:2 --sort 0:desc | tail -n +2 | cut -f1 | tr '\\n' ,); [ \"$out\" = sub,hidden,finished,Folder, ]")
kardel_cli_check(search_by_date
  "out=$(\"$1\" search \"$2/search.kdl\" --date created --relation before --on 2000/05/10 | tail -n +2 | cut -f1); [ \"$out\" = ツA ]")
kardel_cli_check(search_writes_cp932_with_crlf
  "\"$1\" search \"$2/search.kdl\" -o \"$3/found.txt\" && [ \"$(head -c 2 \"$3/found.txt\" | od -An -tx1 | tr -d ' ')\" = 835e ] && iconv -f CP932 -t UTF-8 \"$3/found.txt\" | cmp - \"$2/search-current.txt\"")
kardel_cli_check(search_bad_usage_exits_2
  "for a in '--std 9' '--scope under:99 --kinds memo' '--sort 7' '--all --std 1' '--date born' '--on 2000/13/01 --date due'; do \"$1\" search \"$2/search.kdl\" $a 2>/dev/null; [ $? -eq 2 ] || exit 1; done")
kardel_cli_check(search_unreadable_document_exits_1
  "\"$1\" search \"$3/missing.kdl\" 2>/dev/null; [ $? -eq 1 ]")
kardel_cli_check(search_failed_output_leaves_nothing
  "\"$1\" search \"$2/search.kdl\" -o \"$3/no-folder/x.txt\" 2>/dev/null; [ $? -eq 1 ] && [ ! -e \"$3/no-folder\" ]")
kardel_cli_check(export_the_current_memo
  "\"$1\" export \"$2/search.kdl\" | cmp - \"$2/export-current.txt\"")
kardel_cli_check(export_view_only
  "\"$1\" export \"$2/search.kdl\" --view-only | cmp - \"$2/export-view-only.txt\"")
kardel_cli_check(export_titles_of_everything
  "\"$1\" export \"$2/search.kdl\" --memo 0 --title-only -o \"$3/titles.txt\" && iconv -f CP932 -t UTF-8 \"$3/titles.txt\" | cmp - \"$2/export-title-only.txt\"")
kardel_cli_check(export_memo_writes_the_body_bytes
  "\"$1\" export-memo \"$2/search.kdl\" --memo 6 -o \"$3/body.txt\" && printf 'line1\\r\\n\\r\\nline2\\r\\n' | cmp - \"$3/body.txt\"")
kardel_cli_check(export_bad_memo_exits_2
  "\"$1\" export \"$2/search.kdl\" --memo 99 2>/dev/null; [ $? -eq 2 ] && \"$1\" export-memo \"$2/search.kdl\" --memo x 2>/dev/null; [ $? -eq 2 ]")
kardel_cli_check(search_scope_replaces_the_scope_of_every_condition
  "K=\"$1\"; F=\"$2/search.kdl\"; rows() { \"$K\" search \"$F\" \"$@\" | tail -n +2 | cut -f1 | tr -d '\\r' | tr '\\n' ,; };
   [ \"$(rows --all --scope under:2)\" = Folder,sub,hidden,finished, ] && [ \"$(rows --all --scope all)\" = \"$(rows --all)\" ] &&
   [ \"$(rows --std 3 --scope under:2)\" = finished, ] && [ -z \"$(rows --std 3 --scope under:4)\" ] &&
   [ \"$(rows)\" = Folder,finished, ] && [ -z \"$(rows --scope under:4)\" ]")
