# Sourced by the end-to-end checks: an X server of the check's own.
# start_private_xvfb WORKDIR SCREEN starts Xvfb on a display it picks itself
# (-displayfd writes the number of a free one) and sets xvfb_pid and
# private_display (":N"); the check's cleanup ends it.
start_private_xvfb() {
  local work=$1 screen=$2
  : >"$work/display"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  private_display=":$(head -n1 "$work/display")"
}
