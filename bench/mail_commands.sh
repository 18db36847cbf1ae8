#!/bin/sh
# Whole-command benchmarks of the Mail stand-in against mblaze and notmuch on the same
# generated Maildir: CPU time (hyperfine, user + system) and peak memory (GNU time).
#   bench/mail_commands.sh [--sizes "1000 10000 100000"] [--runs N] [--tintbox PATH] [--work DIR]
# Prints one table per size, each command next to its anchor, as ratios from the same run.
# CPU figures are hyperfine's means of user + system time over the runs.
set -eu

sizes="1000 10000"
runs=5
here=$(cd "$(dirname "$0")" && pwd)
tintbox="$here/../build/release/cli/tintbox"
work="${TMPDIR:-/tmp}/tintbox-bench"
while [ $# -gt 0 ]; do
    case "$1" in
    --sizes) sizes="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --tintbox) tintbox="$2"; shift 2 ;;
    --work) work="$2"; shift 2 ;;
    -h | --help) sed -n '2,6p' "$0"; exit 0 ;;
    *) echo "mail_commands.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
for tool in hyperfine mlist mscan mblaze-sort mdirs notmuch python3; do
    command -v "$tool" >/dev/null || { echo "mail_commands.sh: $tool is not installed" >&2; exit 2; }
done
[ -x "$tintbox" ] || { echo "mail_commands.sh: no tintbox at $tintbox" >&2; exit 2; }
mkdir -p "$work"

# CPU seconds (user + system, hyperfine's mean over the runs) of a command.
cpu() {
    hyperfine --style none --runs "$runs" --warmup 1 --export-json "$work/h.json" \
        --shell=none "$1" >/dev/null 2>&1 || hyperfine --style none --runs "$runs" --warmup 1 \
        --export-json "$work/h.json" "$1" >/dev/null
    python3 -c 'import json,sys
r=json.load(open(sys.argv[1]))["results"][0]
print("%.4f" % (r["user"] + r["system"]))' "$work/h.json"
}
# Peak resident memory in MB of one run.
peak() { /usr/bin/time -f %M sh -c "$1 >/dev/null 2>&1" 2>&1 | tail -1 | awk '{printf "%.1f", $1/1024}'; }
ratio() { python3 -c "import sys; print('%.2f' % (float(sys.argv[1])/float(sys.argv[2])))" "$1" "$2"; }

for size in $sizes; do
    maildir="$work/maildir-$size"
    root="$work/root-$size"
    [ -d "$maildir" ] || python3 "$here/generate_maildir.py" --messages "$size" "$maildir"
    # Made anew each run: a device root holds its own copy of the plug-in, which must be the
    # one of the build being measured.
    rm -rf "$root"
    TINTBOX_ROOT="$root" "$tintbox" init --sample >/dev/null
    cat >"$root/private/var/mobile/Library/Mail/Accounts.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><array><dict>
<key>Class</key><string>MailAccount</string>
<key>DisplayName</key><string>Bench</string>
<key>Maildir</key><string>$maildir</string>
</dict></array></plist>
PLIST
    if [ ! -d "$maildir/.notmuch" ]; then
        printf '[database]\npath=%s\n[new]\ntags=inbox\n' "$maildir" >"$work/notmuch-$size"
        NOTMUCH_CONFIG="$work/notmuch-$size" notmuch new >/dev/null
    fi
    cache="$work/cache-$size"
    export TINTBOX_ROOT="$root" XDG_CACHE_HOME="$cache" NOTMUCH_CONFIG="$work/notmuch-$size"
    export MBLAZE="$work/mblaze" NO_COLOR=1
    mkdir -p "$MBLAZE"
    id=$("$tintbox" mail list --account Bench | sed -n 2p | awk '{print $NF}')
    list="$tintbox mail list --account Bench"
    mblaze="sh -c 'mlist $maildir | mblaze-sort -d | mscan'"
    echo "== $size messages (INBOX $(ls "$maildir/cur" "$maildir/new" | wc -l) files), means of $runs runs"
    anchor=$(cpu "$mblaze")
    warm=$(cpu "$list")
    json=$(cpu "$list --json")
    cold=$(cpu "sh -c 'rm -rf $cache; $list'")
    notmuch=$(cpu "notmuch search --sort=newest-first 'path:cur or path:new'")
    open=$(cpu "$tintbox mail open --message $id")
    mailboxes=$(cpu "$tintbox mail mailboxes")
    mdirs=$(cpu "sh -c 'mdirs $maildir | mlist -i'")
    printf '%-34s %9s %9s %9s\n' command "CPU s" "ratio" "peak MB"
    printf '%-34s %9s %9s %9s\n' "mlist|mblaze-sort -d|mscan" "$anchor" 1.00 "$(peak "$mblaze")"
    printf '%-34s %9s %9s %9s\n' "notmuch search" "$notmuch" "$(ratio "$notmuch" "$anchor")" "-"
    printf '%-34s %9s %9s %9s\n' "mail list (warm)" "$warm" "$(ratio "$warm" "$anchor")" "$(peak "$list")"
    printf '%-34s %9s %9s %9s\n' "mail list (cold)" "$cold" "$(ratio "$cold" "$anchor")" "-"
    printf '%-34s %9s %9s %9s\n' "mail list --json (warm)" "$json" "$(ratio "$json" "$anchor")" "$(peak "$list --json")"
    printf '%-34s %9s %9s %9s\n' "mail open (CPU, wait excluded)" "$open" "-" "$(peak "$tintbox mail open --message $id")"
    printf '%-34s %9s %9s\n' "mdirs|mlist -i" "$mdirs" 1.00
    printf '%-34s %9s %9s %9s\n' "mail mailboxes" "$mailboxes" "$(ratio "$mailboxes" "$mdirs")" "$(peak "$tintbox mail mailboxes")"
done
