#!/usr/bin/env bash
# tests/support/validate-json.sh SCHEMA FILE
# tests/support/validate-json.sh SCHEMA -- COMMAND [ARGS...]
# Checks a JSON document against a JSON Schema (draft 2020-12): FILE, or what
# COMMAND prints on stdout (a failing COMMAND fails the check). The schema is
# checked against its meta-schema first. Prints every error with its place in
# the document and exits 1 when there is one.
set -uo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 SCHEMA FILE | $0 SCHEMA -- COMMAND [ARGS...]" >&2
  exit 2
fi
schema=$1
shift

# Debian's python3 has python3-jsonschema; a python3 earlier on PATH may not.
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import jsonschema' 2>/dev/null; then
    python=$candidate
    break
  fi
done
if [ -z "$python" ]; then
  echo "No python3 with the jsonschema module (Debian package python3-jsonschema)" >&2
  exit 1
fi

if [ "$1" = "--" ]; then
  shift
  document=$(mktemp)
  trap 'rm -f "$document"' EXIT
  if ! "$@" >"$document"; then
    echo "$* failed" >&2
    exit 1
  fi
else
  document=$1
fi

"$python" - "$schema" "$document" <<'PYTHON'
import json
import pathlib
import sys

import jsonschema

schema_path, document_path = sys.argv[1], sys.argv[2]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
try:
    with open(document_path, encoding="utf-8") as f:
        document = json.load(f)
except ValueError as error:
    sys.exit(f"{document_path}: not JSON: {error}")
# The schemas beside this one, by their $id, so that references between them
# resolve without the network.
store = {}
for path in pathlib.Path(schema_path).parent.glob("*.schema.json"):
    with open(path, encoding="utf-8") as f:
        other = json.load(f)
    if "$id" in other:
        store[other["$id"]] = other
validator_class = jsonschema.validators.validator_for(schema)
validator_class.check_schema(schema)
resolver = jsonschema.RefResolver.from_schema(schema, store=store)
errors = sorted(validator_class(schema, resolver=resolver).iter_errors(document),
                key=lambda e: list(e.path))
for error in errors:
    place = "/".join(str(part) for part in error.path) or "(top)"
    print(f"{place}: {error.message}", file=sys.stderr)
if errors:
    sys.exit(1)
print(f"valid against {schema_path}")
PYTHON
