#!/bin/sh
# The real game under Xvfb: its window opens titled "Zimbolo", it takes focus,
# loads, and F4 ends it at once with exit status 0.
set -u
build=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$build/data" "$work/data"
printf '[general]\ndrivers = null\n' > "$work/alsoft.conf"

cat > "$work/run.sh" <<SCRIPT
#!/bin/sh
cd "$work"
ALSOFT_CONF="$work/alsoft.conf" "$build/zimbolo" > "$work/out.txt" 2>&1 &
pid=\$!
wid=\$(xdotool search --sync --name '^Zimbolo\$' | head -1)
[ -n "\$wid" ] || { echo "no window"; kill \$pid; exit 1; }
xdotool windowfocus --sync "\$wid"
sleep 1.5
kill -0 \$pid || { echo "the game ended by itself"; exit 1; }
xdotool key --window "\$wid" F4
wait \$pid
echo "status \$?"
SCRIPT
chmod +x "$work/run.sh"

result=$(timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh")
echo "$result"
cat "$work/out.txt"
[ "$(echo "$result" | tail -1)" = "status 0" ] || { echo "FAIL: F4 did not end the game with status 0"; exit 1; }
echo "PASS"
