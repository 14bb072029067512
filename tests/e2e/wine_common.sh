# Shared by the Wine checks, sourced: the Windows report command of a
# build-win/ beside the sources, run in a Wine prefix of the checks' own
# (build-win/wine-prefix-e2e), whose wineserver is ended when the check ends.
# A check without build-win/, Wine or Xvfb is skipped, saying why.
wine_src=$1
wine_report=$wine_src/build-win/cli/veltrix-report.exe
export VELTRIX_WINEPREFIX=$wine_src/build-win/wine-prefix-e2e

wine_skip_unless_ready() {
  if [ ! -f "$wine_report" ]; then
    echo "SKIPPED: $wine_report is not built (scripts/build-windows.sh builds it)"
    exit 0
  fi
  local program
  for program in wine wineserver Xvfb "$@"; do
    command -v "$program" >/dev/null || { echo "SKIPPED: $program is not installed (scripts/install-deps.sh)"; exit 0; }
  done
}

# The report under Wine, bounded in time, without its CR.
wine_report() {
  timeout 180 "$wine_src/scripts/wine-run.sh" "$wine_report" "$@" | tr -d '\r'
}

wine_end_server() {
  WINEPREFIX=$VELTRIX_WINEPREFIX wineserver -k 2>/dev/null || true
}

# The lines of one block of a report: from its heading to the next empty
# line that comes before a heading.
report_block() {
  awk -v heading="$1" '
    { lines[NR] = $0 }
    END {
      for (i = 1; i < NR; i++) if (lines[i] == heading && lines[i + 1] ~ /^-+$/) { start = i; break }
      if (!start) exit
      for (i = start; i <= NR; i++) {
        if (i > start + 1 && lines[i + 1] ~ /^-+$/ && lines[i] != "") break
        print lines[i]
      }
    }' <<<"$2"
}

expect_line() {  # expect_line WHAT LINE TEXT
  grep -qxF -- "$2" <<<"$3" || { echo "$1: no line \"$2\" in:"; echo "$3"; exit 1; }
}
