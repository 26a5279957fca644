#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout and the desktop files, and
# starts the installed program offscreen through bin/zelmar on a real SD file. The program's
# trace (switched on by a configuration file beside the installed program) tells where the
# libraries were found and when the file has loaded.
# Usage: test_installed_program.sh <cmake> <build folder> <file.sdf> [<program folder>]
set -uo pipefail
cmake=$1 build=$2 file=$3 program_dir=${4:-lib/zelmar}

if [ ! -f "$file" ]; then
  echo "SKIP: the real SD file is missing: $file"
  exit 77
fi

file=$(realpath "$file")
work=$(realpath "$(mktemp -d)")
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null; wait "$program_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

prefix=$work/usr
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
  cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

# ---- layout: the program folder, its libraries and the relative link to the program
folder=$prefix/$program_dir
for f in zelmar zelmar-tool libveskChemRoutines.so libveskChemViewer.so libveskChemSearch.so; do
  [ -f "$folder/$f" ] || fail "missing in the program folder: $f"
done
for program in zelmar zelmar-tool; do
  link=$prefix/bin/$program
  if [ ! -L "$link" ]; then
    fail "bin/$program is not a symbolic link"
  else
    target=$(readlink "$link")
    case $target in /*) fail "bin/$program points to an absolute path: $target" ;; esac
    [ "$(readlink -f "$link")" = "$(readlink -f "$folder/$program")" ] || fail "bin/$program points elsewhere: $target"
  fi
done

# ---- the command-line tool through its link, without a display or a library path
tool_records=$(env -i HOME="$work" PATH=/usr/bin:/bin "$prefix/bin/zelmar-tool" info "$file" --json |
  sed -n 's/.*"records":\([0-9]*\),.*/\1/p')
[ "$tool_records" = "$(grep -c '^\$\$\$\$' "$file")" ] || fail "bin/zelmar-tool info counted \"$tool_records\" records"

# ---- desktop files: entry, icons, AppStream metadata and the SD file type
share=$prefix/share
for f in applications/zelmar.desktop metainfo/org.zelmar.zelmar.metainfo.xml \
         mime/packages/zelmar.xml icons/hicolor/scalable/apps/zelmar.svg \
         icons/hicolor/48x48/apps/zelmar.png icons/hicolor/256x256/apps/zelmar.png; do
  [ -s "$share/$f" ] || fail "missing: share/$f"
done
# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 16 48 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/zelmar.png
  [ "$(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    fail "the ${size}x${size} icon is not $size pixels square"
done
grep -qx 'Exec=zelmar %F' "$share/applications/zelmar.desktop" || fail "the desktop entry does not start zelmar %F"
if [ -n "${DESKTOP_FILE_VALIDATE:-}" ]; then
  "$DESKTOP_FILE_VALIDATE" "$share/applications/zelmar.desktop" || fail "desktop-file-validate"
fi
if [ -n "${APPSTREAMCLI:-}" ]; then
  "$APPSTREAMCLI" validate --no-net "$share/metainfo/org.zelmar.zelmar.metainfo.xml" || fail "appstreamcli validate"
fi
if [ -n "${UPDATE_MIME_DATABASE:-}" ]; then
  "$UPDATE_MIME_DATABASE" "$share/mime" || fail "update-mime-database"
  grep -q '^chemical/x-mdl-sdfile:\*\.sdf$' "$share/mime/globs" || fail "*.sdf is not chemical/x-mdl-sdfile"
fi

# ---- the installed program on a real file, with a clean environment
cat >"$folder/zelmar.ETC" <<INI
[TRACE]
Trace=1
Level=INFORMATION,WARNING,ERROR,FATALERROR
TraceFile=$work/trace.log
Output=TEXT
INI
mkdir -m 700 "$work/run"
records=$(grep -c '^\$\$\$\$' "$file")
cd "$work"
env -i HOME="$work" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" \
  ZELMAR_INSTANCE_SCOPE="${ZELMAR_INSTANCE_SCOPE:-}-installed" \
  "$prefix/bin/zelmar" "$file" >"$work/program.log" 2>&1 &
program_pid=$!

loaded="$records of $records records loaded from $file"
for _ in $(seq 1 600); do
  grep -qF "$loaded" "$work/trace.log" 2>/dev/null && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
trace=$(tr -d '\r' <"$work/trace.log" 2>/dev/null)
kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended by itself"

grep -qF "$loaded" <<<"$trace" || fail "the file did not load: expected \"$loaded\""
for lib in libveskChemRoutines.so libveskChemViewer.so libveskChemSearch.so; do
  grep -q "$lib [0-9.]* found at $folder/$lib\$" <<<"$trace" || fail "$lib was not found beside the program"
done
if grep -q '^\$\(ERROR\|FATALERROR\)' <<<"$trace"; then
  grep '^\$\(ERROR\|FATALERROR\)' <<<"$trace"
  fail "the installed program traced errors"
fi

if [ "$failures" -ne 0 ]; then
  echo "---- trace"; echo "$trace"; echo "---- output"; cat "$work/program.log"
  exit 1
fi
echo "installed program found its libraries in $folder and loaded $records records"
