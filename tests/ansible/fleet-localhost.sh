#!/usr/bin/env bash
# tests/ansible/fleet-localhost.sh BUILD_BIN_DIR
# Runs ansible/fleet.yml on this machine as three hosts: alpha and beta run
# BUILD_BIN_DIR/quelvorant-cli, broken runs /bin/false in its place. Checks
# that alpha's and beta's results are fetched and imported into one history
# under their names, that broken is reported as failed without stopping them,
# that the fleet page, rendered in headless Chromium, has a row of its fleet
# table for alpha and one for beta and none for broken, and that a run where
# every host fails fails. Needs ansible-playbook and chromium.
set -uo pipefail

fail() {
  echo "fleet-localhost: $*" >&2
  exit 1
}

[ $# -eq 1 ] || fail "usage: $0 BUILD_BIN_DIR"
cli=$(cd "$1" 2>/dev/null && pwd)/quelvorant-cli
[ -x "$cli" ] || fail "no quelvorant-cli in $1"
playbook=$(cd "$(dirname "$0")/../../ansible" && pwd)/fleet.yml
[ -f "$playbook" ] || fail "no playbook at $playbook"
command -v ansible-playbook >/dev/null || fail "ansible-playbook is not installed (Debian package ansible)"
python=$(python3 -c 'import sys; print(sys.executable)') || fail "no python3"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || fail "cannot enter $work"

# Ansible's own files stay in the temporary folder too.
export ANSIBLE_NOCOLOR=1 ANSIBLE_STDOUT_CALLBACK=default ANSIBLE_LOCAL_TEMP=$work/ansible-local \
  ANSIBLE_REMOTE_TEMP=$work/ansible-remote ANSIBLE_ASYNC_DIR=$work/ansible-async

local_host="ansible_host=127.0.0.1 ansible_connection=local ansible_python_interpreter=$python"
cat >inventory.ini <<EOF
[quelvorant]
alpha $local_host quelvorant_cli=$cli quelvorant_data_home=$work/alpha-data
beta $local_host quelvorant_cli=$cli quelvorant_data_home=$work/beta-data
broken $local_host quelvorant_cli=/bin/false
EOF
# The hosts' quelvorant_cli is on their lines: -e would override broken's.
cat >settings.yml <<EOF
quelvorant_skip_install: true
quelvorant_runs: 1
quelvorant_warmup: 0
quelvorant_poll: 1
quelvorant_fleet_page: true
quelvorant_results_dir: $work/results
quelvorant_cli_local: $cli
quelvorant_history_home: $work/history
EOF

# The text of each row of the page's fleet tables, one row a line, from the
# DOM that headless Chromium made of the page.
fleet_page_rows() {
  local profile
  profile=$(mktemp -d "$work/chromium.XXXXXX")
  timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --dump-dom "file://$1" 2>"$work/chromium.err" >"$work/fleet.dom" || {
    cat "$work/chromium.err" >&2
    return 1
  }
  python3 - "$work/fleet.dom" <<'EOF'
import sys
from html.parser import HTMLParser

class FleetRows(HTMLParser):
    def __init__(self):
        super().__init__()
        self.tables = []  # for each open table, whether it is a fleet table
        self.row = None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append("fleet" in (dict(attrs).get("class") or "").split())
        elif tag == "tr" and self.tables and self.tables[-1]:
            self.row = []
        elif tag in ("td", "th") and self.row is not None:
            self.row.append(" ")  # cells apart, as words

    def handle_endtag(self, tag):
        if tag == "tr" and self.row is not None:
            print(" ".join("".join(self.row).split()))
            self.row = None
        elif tag == "table" and self.tables:
            self.tables.pop()

    def handle_data(self, data):
        if self.row is not None:
            self.row.append(data)

FleetRows().feed(open(sys.argv[1]).read())
EOF
}

run_playbook() {
  ansible-playbook -i inventory.ini "$playbook" -e @settings.yml "$@"
}

# The failed hosts as the last play lists them, one "host: reason" a line.
failed_hosts() {
  python3 - "$1" <<'EOF'
import json, re, sys
text = open(sys.argv[1]).read()
found = re.search(r'TASK \[List the hosts that failed\][^\n]*\n.*?=> (\{.*?\n\})', text, re.S)
if not found:
    sys.exit("no list of failed hosts in the output")
failures = json.loads(found.group(1))["msg"]
if isinstance(failures, dict):
    for host, reason in failures.items():
        print(f"{host}: {reason}")
EOF
}

if ! run_playbook >fleet.out 2>&1; then
  cat fleet.out
  fail "the playbook failed while alpha and beta could run"
fi
failures=$(failed_hosts fleet.out) || fail "the output does not list the failed hosts"
# /bin/false fails the first command run on broken: the check.
echo "$failures" | grep -q '^broken: Check the machine: ' ||
  fail "broken is not reported as failed by its check: ${failures:-none}"
echo "$failures" | grep -Eq '^(alpha|beta): ' && fail "a host that ran is reported as failed: $failures"

for host in alpha beta; do
  python3 - "$work/results/$host.json" "$host" <<'EOF' || fail "$host's results are wrong"
import json, sys
path, host = sys.argv[1:]
try:
    results = json.load(open(path))
except (OSError, ValueError) as error:
    sys.exit(f"{path}: {error}")
if results.get("schema") != "quelvorant.bench/2":
    sys.exit(f"{path}: schema {results.get('schema')!r}")
name = results.get("info", {}).get("machine_name")
if name != host:
    sys.exit(f"{path}: machine_name {name!r}, not {host!r}")
EOF
  python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$work/results/$host.check.json" ||
    fail "$host.check.json is not JSON"
  # --no-history: the host's own history is left alone.
  [ ! -e "$work/$host-data/quelvorant/results.sqlite" ] || fail "the bench on $host wrote its history"
done
[ ! -e "$work/results/broken.json" ] || fail "broken has results"
[ -s "$work/results/fleet.html" ] || fail "no fleet page"
command -v chromium >/dev/null || fail "chromium is not installed (Debian package chromium)"
rows=$(fleet_page_rows "$work/results/fleet.html") || fail "chromium could not render the fleet page"
for host in alpha beta; do
  grep -qw "$host" <<<"$rows" || fail "no row of the fleet table names $host: ${rows:-no rows}"
done
grep -qw broken <<<"$rows" && fail "a row of the fleet table names broken: $rows"

XDG_DATA_HOME=$work/history "$cli" history --json >history.json || fail "history --json failed"
python3 - history.json <<'EOF' || fail "the history does not hold the fleet's runs"
import json, sys
history = json.load(open(sys.argv[1]))
names = sorted({run["machine_name"] for run in history["runs"]})
if names != ["alpha", "beta"]:
    sys.exit(f"runs of {names}, not of alpha and beta")
machines = sorted(machine["name"] for machine in history["machines"])
if machines != ["alpha", "beta"]:
    sys.exit(f"machines {machines}, not alpha and beta")
EOF

if run_playbook -e quelvorant_hosts=broken >all-failed.out 2>&1; then
  cat all-failed.out
  fail "the playbook passed while every host failed"
fi
grep -q 'every host failed' all-failed.out || {
  cat all-failed.out
  fail "a run where every host failed does not say so"
}

echo "fleet-localhost: alpha and beta ran and were imported, broken was reported"
