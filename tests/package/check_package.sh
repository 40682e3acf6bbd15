#!/usr/bin/env bash
# Checks the built Debian package: its control fields, that it holds every file a
# Debian program has, that its kardel-cli works once unpacked, that its desktop
# entry and AppStream file validate, that its manual page covers every command and
# that its bash completion offers what the program's help lists.
# Usage: check_package.sh PACKAGE_FOLDER VERSION
set -euo pipefail
deb=$(ls "$1"/kardel_"$2"_*.deb)
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(dpkg-deb --field "$deb" Package)" = kardel ] || fail "package name"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "version"
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for f in usr/bin/kardel usr/bin/kardel-cli \
  usr/share/applications/kardel.desktop usr/share/mime/packages/kardel.xml \
  usr/share/icons/hicolor/64x64/apps/kardel.png usr/share/icons/hicolor/scalable/apps/kardel.svg \
  usr/share/metainfo/io.github.velmora.kardel.metainfo.xml \
  usr/share/man/man1/kardel.1.gz usr/share/man/man1/kardel-cli.1.gz \
  usr/share/bash-completion/completions/kardel-cli \
  usr/share/doc/kardel/copyright usr/share/doc/kardel/changelog.gz; do
  [ -s "$root/$f" ] || fail "missing $f"
done

# The unpacked kardel-cli: a new document reads back.
cli=$root/usr/bin/kardel-cli
"$cli" new "$root/new.kdl" || fail "kardel-cli new"
[ "$("$cli" check "$root/new.kdl")" = ok ] || fail "kardel-cli check"
[ "$("$cli" --version)" = "kardel-cli $version" ] || fail "kardel-cli --version"

desktop-file-validate "$share/applications/kardel.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/io.github.velmora.kardel.metainfo.xml" || fail "appstreamcli validate"
grep -q '<image[^>]*>[^<]*/docs/screenshot.png</image>' "$share/metainfo/io.github.velmora.kardel.metainfo.xml" ||
  fail "metainfo without the screenshot"

# The manual page says what the help says: every command and every option.
commands=$("$cli" --help | awk '/^Commands:$/ { on = 1; next } /^[^ ]/ { on = 0 } on && /^  [^ ]/ { print $1 }')
page=$(MANWIDTH=200 man -l "$share/man/man1/kardel-cli.1.gz" 2>"$root/man.err")
[ ! -s "$root/man.err" ] || fail "man kardel-cli: $(cat "$root/man.err")"
for c in $commands; do
  grep -q "^ *$c " <<<"$page" || fail "man page lacks the command $c"
  for o in $("$cli" "$c" --help | grep -o '^  -[-a-z]*'); do
    grep -q -- "^ *$o\b" <<<"$page" || fail "man page lacks $c $o"
  done
done
MANWIDTH=200 man -l "$share/man/man1/kardel.1.gz" 2>&1 | grep -q -- '--version' || fail "man kardel"

# The completion: commands, a command's options and the choices of an option's value.
complete_line() {
  PATH=$root/usr/bin:$PATH bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    COMP_LINE=$2 COMP_POINT=${#2}
    read -ra COMP_WORDS <<<"$2"
    [[ $2 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kardel_cli kardel-cli
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' _ "$share/bash-completion/completions/kardel-cli" "$1"
}
[ "$(complete_line 'kardel-cli exp')" = "export export-memo " ] || fail "completion of commands: $(complete_line 'kardel-cli exp')"
for o in $("$cli" export --help | grep -o '^  -[-a-z]*'); do
  grep -q -- "$o " <<<"$(complete_line 'kardel-cli export a.kdl -')" || fail "completion lacks export $o"
done
[ "$(complete_line 'kardel-cli search a.kdl --relation ')" = "after before same " ] || fail "completion of choices"
[ "$(complete_line 'kardel-cli apply a.kdl b.kdl level-')" = "level-down level-up " ] || fail "completion of apply steps"
echo "package $deb checked"
