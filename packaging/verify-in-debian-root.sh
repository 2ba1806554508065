#!/usr/bin/env bash
# Installs the Quelvorant package into a fresh Debian 12 root made with
# debootstrap and checks it there as a user would meet it: apt installs it
# with its dependencies, the program starts through /usr/bin/quelvorant and
# stays up, it takes libQuelCore.so and the test input from its own folder,
# and he3 round-trips the test input. Then the fleet playbook, laid out by
# the installed quelvorant-cli fleet init, installs the package into the root
# through Ansible's chroot connection after it was removed, benchmarks it
# there and fetches the results, and a second run leaves the package alone.
# Needs root, Ansible and a reachable Debian mirror; takes some minutes. Not
# part of ./test.
#
# Usage: packaging/verify-in-debian-root.sh [PACKAGE.deb]
#   PACKAGE.deb defaults to the one ./package made in build-package/.
#   The mirror is the first Debian one in this machine's apt sources, or
#   QUEL_DEBIAN_MIRROR when set.
set -euo pipefail
QUEL_ROOT=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "Run this as root: it makes a Debian root and changes into it." >&2
  exit 1
fi

deb=${1:-}
if [ -z "$deb" ]; then
  debs=("$QUEL_ROOT"/build-package/quelvorant_*.deb)
  deb=${debs[0]}
fi
if [ ! -f "$deb" ]; then
  echo "No package at $deb; make one with ./package first." >&2
  exit 1
fi
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")

# The URI of the first Debian archive in the apt sources (one-line and
# deb822 formats), leaving out the security archive.
debian_mirror() {
  local files=()
  [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -eq 0 ] && return 1
  sed -n -e 's/^[[:space:]]*URIs:[[:space:]]*//p' \
    -e 's/^[[:space:]]*deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\{0,1\}\([^[:space:]]\+\).*/\2/p' \
    "${files[@]}" | tr ' ' '\n' | grep -E '/debian/?$' | head -n 1
}

mirror=${QUEL_DEBIAN_MIRROR:-$(debian_mirror || true)}
if [ -z "$mirror" ]; then
  echo "No Debian mirror in the apt sources; set QUEL_DEBIAN_MIRROR." >&2
  exit 1
fi

if ! command -v debootstrap >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi
if ! command -v ansible-playbook >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ansible
fi

root=$(mktemp -d /var/tmp/quel-debian-root.XXXXXX)
# The fleet playbook's controller side: the playbook, the package, results.
fleet=$(mktemp -d /var/tmp/quel-fleet.XXXXXX)
# A system's root is open to every user; mktemp makes it private.
chmod 755 "$root"
cleanup() {
  for mount in "$root/dev/shm" "$root/sys" "$root/proc"; do
    if mountpoint -q "$mount"; then
      umount "$mount" || umount -l "$mount"
    fi
  done
  rm -rf --one-file-system "$root" "$fleet"
}
trap cleanup EXIT

echo "== Making a Debian 12 root in $root =="
# The fleet playbook needs what its hosts need: Python 3 and sudo.
debootstrap --variant=minbase --include=python3,sudo bookworm "$root" "$mirror" >"$root.log" 2>&1 || {
  tail -n 30 "$root.log" >&2
  rm -f "$root.log"
  exit 1
}
rm -f "$root.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
# The processors' topology and clocks, which quelvorant-cli info reads.
mount -t sysfs sysfs "$root/sys"
mkdir -p "$root/dev/shm"
mount -t tmpfs shm "$root/dev/shm"
cp "$deb" "$root/tmp/"

echo "== apt-get install ./$(basename "$deb") =="
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q "/tmp/$(basename "$deb")" | tail -n 5

echo "== Checks inside the root =="
status=0
chroot "$root" /bin/bash -s <<'CHECKS' || status=$?
set -uo pipefail
failed=0
check() {
  if [ "$1" -eq 0 ]; then echo "ok:     $2"; else echo "FAILED: $2"; failed=1; fi
}

dpkg-query -W -f='installed: ${Package} ${Version}\n' quelvorant

ldd /usr/lib/quelvorant/quelvorant | grep QuelCore
ldd /usr/lib/quelvorant/quelvorant | grep -q 'libQuelCore.so => /usr/lib/quelvorant/libQuelCore.so'
check $? "ldd resolves libQuelCore.so in /usr/lib/quelvorant"
! ldd /usr/lib/quelvorant/quelvorant | grep -q 'not found'
check $? "ldd finds every library"
# The list is kept whole before it is searched: grep -q leaving early would
# end the listing with SIGPIPE, which pipefail counts as a failure.
loaded=$(LD_TRACE_LOADED_OBJECTS=1 /usr/bin/quelvorant)
grep -q 'libQuelCore.so => /usr/lib/quelvorant/' <<<"$loaded"
check $? "started through /usr/bin/quelvorant, the loader takes libQuelCore.so from /usr/lib/quelvorant"

# An ordinary user, for whom the program's folder is not writable.
useradd --create-home quel
runuser -u quel -- env QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/quelvorant &
started=$!
sleep 3
# The running program's executable, as the program itself sees it: its
# folder is where it looks for the test input.
exe=
for proc in /proc/[0-9]*; do
  case $(readlink "$proc/exe" 2>/dev/null) in
    */quelvorant) exe=$(readlink "$proc/exe") ;;
  esac
done
echo "running program: ${exe:-none}"
test -n "$exe" && test -f "$(dirname "$exe")/Quelvorant.exe"
check $? "the test input lies in the running program's folder ${exe%/*}"
wait "$started"
status=$?
echo "timeout 5 quelvorant: exit code $status"
test "$status" -eq 124
check $? "quelvorant stayed up under the offscreen platform (exit 124 from timeout)"
test -d /home/quel/.cache/quelvorant
check $? "its work folder is the user's ~/.cache/quelvorant, as /usr/lib/quelvorant is not writable"

he3 encode /usr/lib/quelvorant/Quelvorant.exe /tmp/x.he3 &&
  he3 decode /tmp/x.he3 /tmp/x &&
  cmp /usr/lib/quelvorant/Quelvorant.exe /tmp/x
check $? "he3 round-trips the test input ($(stat -c %s /usr/lib/quelvorant/Quelvorant.exe) -> $(stat -c %s /tmp/x.he3) bytes)"

runuser -u quel -- quelvorant-cli info >/tmp/info.txt
check $? "quelvorant-cli info runs for an ordinary user without a display"
grep -E '^  (Processor|Cores|Total physical RAM):' /tmp/info.txt
runuser -u quel -- quelvorant-cli bench --runs 1 --warmup 0 --json /tmp/r.json
check $? "the installed quelvorant-cli runs the benchmark on the installed test input"
grep -q '"comparable": true' /tmp/r.json
check $? "its result is comparable (the program's own test input)"
exit $failed
CHECKS
echo "== The fleet playbook, with the root as its host =="
# Each check says how it went; a failed one fails the script at the end.
set +e
fleet_check() {
  if [ "$1" -eq 0 ]; then
    echo "ok:     $2"
  else
    echo "FAILED: $2"
    status=1
    return 1
  fi
}
# What the default output says of the install task, one line a host.
install_task_lines() {
  sed -n '/^TASK \[Install the package\]/,/^TASK \[/p' "$1" | grep -E '^(ok|changed|skipping|fatal):'
}
# This machine need not have Quelvorant: the root's own program lays out
# the playbook and, as the controller's program, imports the results.
cli="$root/usr/bin/quelvorant-cli"
"$cli" fleet init "$fleet/playbook"
fleet_check $? "the installed quelvorant-cli fleet init lays out the playbook from /usr/share/quelvorant/ansible"
mkdir "$fleet/debs"
cp "$deb" "$fleet/debs/"
# A small test input in the root, for one short run.
head -c 24000 "$root/usr/lib/quelvorant/Quelvorant.exe" >"$root/tmp/fleet-input.bin"
cat >"$fleet/playbook/inventory.ini" <<EOF
[quelvorant]
debian-root ansible_host=$root ansible_connection=community.general.chroot ansible_python_interpreter=/usr/bin/python3
EOF
cat >"$fleet/settings.yml" <<EOF
quelvorant_deb_dir: $fleet/debs
quelvorant_input: /tmp/fleet-input.bin
quelvorant_runs: 1
quelvorant_warmup: 0
quelvorant_poll: 1
quelvorant_cli_local: $cli
quelvorant_history_home: $fleet/history
quelvorant_fleet_page: false
EOF
# Removed, its configuration left: the playbook must install it again.
chroot "$root" dpkg --remove quelvorant >/dev/null
fleet_run() {
  ANSIBLE_NOCOLOR=1 ANSIBLE_STDOUT_CALLBACK=default ansible-playbook \
    -i "$fleet/playbook/inventory.ini" "$fleet/playbook/fleet.yml" -e @"$fleet/settings.yml" >"$1" 2>&1
}
fleet_run "$fleet/first.out"
fleet_check $? "the playbook ran on the root" || tail -n 30 "$fleet/first.out"
lines=$(install_task_lines "$fleet/first.out")
echo "Install the package: ${lines:-no line}"
grep -q '^changed: \[debian-root\]' <<<"$lines"
fleet_check $? "it installed the package"
chroot "$root" dpkg -s quelvorant | grep -E '^(Status|Version):'
chroot "$root" dpkg -s quelvorant | grep -q '^Status: install ok installed$'
fleet_check $? "dpkg -s in the root: installed"
python3 - "$fleet/playbook/results/debian-root.json" <<'EOF'
import json, sys
results = json.load(open(sys.argv[1]))
print(f"results: schema {results['schema']}, machine {results['info']['machine_name']}, "
      f"{len(results['runs'])} run of {results['input']['bytes']} bytes")
sys.exit(results["schema"] != "quelvorant.bench/2" or results["info"]["machine_name"] != "debian-root")
EOF
fleet_check $? "the root's results arrived in results/ beside the playbook, under its name"
test -s "$fleet/playbook/results/debian-root.check.json"
fleet_check $? "the root's check arrived"
XDG_DATA_HOME=$fleet/history "$cli" history | grep -q debian-root
fleet_check $? "the controller's history holds the root's run"
fleet_run "$fleet/second.out"
fleet_check $? "the playbook ran on the root again" || tail -n 30 "$fleet/second.out"
lines=$(install_task_lines "$fleet/second.out")
echo "Install the package, again: ${lines:-no line}"
grep -q '^changed:' <<<"$lines"
fleet_check $((!$?)) "the second run left the installed package alone"

if [ $status -eq 0 ]; then
  echo "== All checks passed =="
else
  echo "== Some checks failed ==" >&2
fi
exit $status
