#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it. Only the editor, the command-line
# tool and the help file are built here; scripts/test.sh builds the tests and benchmarks too.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
TARGETS="tageditor tageditor-cli help_file" "$root/scripts/build.sh" "$root/build"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No graphical display found (neither DISPLAY nor WAYLAND_DISPLAY is set): use $root/build/app/tageditor-cli --help to edit tags from the command line." >&2
    exit 1
fi
exec "$root/build/app/tageditor"
