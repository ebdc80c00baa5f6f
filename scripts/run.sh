#!/usr/bin/env bash
# Builds the calendar, installs it into its program folder and starts it.
# The program folder (default ~/Hibimo) holds the executable and every data file; a rebuild never
# touches the data files, and the delivered lists are copied only where none exist yet.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="${HIBIMO_FOLDER:-$HOME/Hibimo}"

"$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHIBIMO_TESTS=OFF -DHIBIMO_BENCH=OFF >/dev/null
cmake --build "$here/build-release" -j"$(nproc)" --target hibimo
cmake --install "$here/build-release" --prefix "$folder"
# The calendar in the desktop's applications menu, with its icon.
"$here/scripts/install_menu_entry.sh" "$folder/hibimo"
echo "Starting $folder/hibimo"
exec "$folder/hibimo"
