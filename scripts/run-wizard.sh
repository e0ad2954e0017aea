#!/usr/bin/env bash
# The main job: sets up the machine, builds everything and packs the sample
# product into build/win32/sample/_Data.001 beside the release build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-machine.sh
scripts/build.sh
scripts/pack-sample.sh build/win32
