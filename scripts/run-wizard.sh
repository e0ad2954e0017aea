#!/usr/bin/env bash
# The main job: sets up the machine and builds everything.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-machine.sh
scripts/build.sh
