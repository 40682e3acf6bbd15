# Turns the dump of a new document into one whose root holds a chain of `depth`
# memos, each the only child of the one before, each with a one-line body:
#   kardel-cli dump new.kdl | awk -v depth=1000 -f chain.awk > chain.json
# With -v flat=1 the memos are all children of the root instead.
function memo(title, kind, body, last) {
    printf "    {\"body\": \"%s\", \"created\": 0, \"done\": 0, \"due\": 0, \"hasDue\": 0, \"kind\": %d, \"selItem\": \"\", \"title\": \"%s\", \"updated\": 0}%s\n", body, kind, title, last ? "" : ","
}
function record(image, number, parent, children, selected, last) {
    printf "    {\"hasChildren\": %d, \"image\": %d, \"memo\": %d, \"parent\": %d, \"selected\": %d}%s\n", children, image, number, parent, selected, last ? "" : ","
}
/^  "memos": \[/ {
    print "  \"memos\": ["
    memo("Data", 0, "", 0)
    memo("trash", 2, "", depth == 0)
    for (i = 1; i <= depth; i++)
        memo("m" i, i < depth && !flat ? 0 : 4, "body " i, i == depth)
    skip = 1
    next
}
/^  "tree": \[/ {
    print "  \"tree\": ["
    record(0, 0, 0, 1, 1, 0)
    for (i = 1; i <= depth; i++)
        record(i < depth && !flat ? 0 : 4, i + 1, flat ? 1 : i, i < depth && !flat, 0, 0)
    record(2, 1, 1, 0, 0, 1)
    skip = 1
    next
}
skip && /^  \]/ { skip = 0; print; next }
!skip { print }
