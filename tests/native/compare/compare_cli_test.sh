#!/usr/bin/env bash
# zarnet-cli diff and merge as a user and git run them: exit codes, lines,
# files left alone on conflicts and bad input, and a real git repository
# whose merges go through the driver.
# Usage: compare_cli_test.sh CLI WRITE_DESIGNS
set -u
cli="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

"$2" "$tmp" || { echo "FAIL cannot write the designs"; exit 1; }
cd "$tmp" || exit 1
head -c 70 base.zrf >short.zrf
printf 'not a design at all' >junk.zrf
ok_line='#12 ButtonGadget "OkButton": x 230 -> 200'
text_line='#0 TextGadget "TextGadget": text "Name:" -> "Your name:"'

run() {  # run EXIT-CODE COMMAND...: stdout in out, stderr in err
  local want="$1"
  shift
  "$@" >out 2>err
  local rc=$?
  [ "$rc" = "$want" ] || fail "$*: exit $rc (want $want): $(head -2 err)"
}

run 0 "$cli" diff base.zrf base.zrf
[ -s out ] && fail "equal designs print nothing"
run 1 "$cli" diff base.zrf ours.zrf
[ "$(cat out)" = "$ok_line" ] || fail "diff prints '$(cat out)'"
run 1 "$cli" diff --stat base.zrf theirs.zrf
[ "$(wc -l <out)" = 1 ] && grep -q '1 gadgets added' out || fail "--stat prints '$(cat out)'"
grep -q $'\x1b' out && fail "colour unasked"
for bad in short.zrf junk.zrf missing.zrf; do
  run 2 "$cli" diff base.zrf "$bad"
  grep -q "$bad" err || fail "diff of $bad names no file: $(cat err)"
done

# The merge writes over OURS, or leaves it byte for byte.
cp ours.zrf o.zrf
run 0 "$cli" merge base.zrf o.zrf theirs.zrf
run 0 "$cli" check o.zrf
run 1 "$cli" diff base.zrf o.zrf
grep -qF "$ok_line" out && grep -qF "$text_line" out || fail "clean merge holds: $(cat out)"
cp red.zrf o.zrf
run 1 "$cli" merge base.zrf o.zrf blue.zrf
cmp -s o.zrf red.zrf || fail "a conflict changed OURS"
grep -q 'conflict: #13 ButtonGadget "CancelButton": text: ours "Cancel" -> "Red", theirs "Cancel" -> "Blue"' err ||
  fail "conflict told as '$(cat err)'"
run 0 "$cli" merge --prefer theirs base.zrf o.zrf blue.zrf
cmp -s o.zrf blue.zrf || fail "--prefer theirs takes theirs' text"
for bad in short.zrf junk.zrf missing.zrf; do
  cp ours.zrf o.zrf
  run 2 "$cli" merge base.zrf o.zrf "$bad"
  cmp -s o.zrf ours.zrf || fail "bad input $bad changed OURS"
done
[ "$(ls -A | grep -c tmp)" = 0 ] || fail "a temporary file was left: $(ls)"

# git with the lines the README gives.
export HOME="$tmp" GIT_CONFIG_NOSYSTEM=1 GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@t \
  GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@t
git init -q -b main repo && cd repo || exit 1
git config diff.zarnet.command "'$cli' diff --git"
git config merge.zarnet.driver "'$cli' merge %O %A %B"
echo '*.zrf diff=zarnet merge=zarnet' >.gitattributes
cp ../base.zrf form.zrf && git add . && git commit -qm base
branch() {  # branch NAME DESIGN: a branch from main whose form.zrf is DESIGN
  git checkout -q -b "$1" main && cp "../$2" form.zrf && git commit -qam "$1"
}
branch ours ours.zrf
branch theirs theirs.zrf
branch red red.zrf
branch blue blue.zrf
git diff main theirs -- form.zrf >diff.txt 2>&1
grep -qF "$text_line" diff.txt || fail "git diff shows '$(cat diff.txt)'"
git checkout -q ours
git merge -q --no-edit theirs >merge.txt 2>&1 || fail "git merge of different gadgets: $(cat merge.txt)"
"$cli" diff ../base.zrf form.zrf >out
grep -qF "$ok_line" out && grep -qF "$text_line" out || fail "git's merge holds: $(cat out)"
git checkout -q red
git merge -q --no-edit blue >merge.txt 2>&1 && fail "git merge of one text made two ways succeeded"
cmp -s form.zrf ../red.zrf || fail "the conflicted file is not the first branch's"
git merge --abort

[ "$failures" = 0 ] || exit 1
echo "compare cli: all passed"
