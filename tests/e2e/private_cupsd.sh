# A private print server for the Wine checks, sourced: start_private_cupsd DIR
# starts cupsd on DIR/cups.sock with its own configuration, spool and logs
# (the user's and the system's print settings stay out), and adds the three
# printers of the Linux printer test: Kantoor (socket), pdf-out (file) and
# Zolder (ipp), Zolder the default. stop_private_cupsd ends it.
cupsd_pid=

start_private_cupsd() {
  local dir=$1 user
  mkdir -p "$dir"/{bin/backend,bin/filter,spool,cache,state,log}
  chmod 755 "$dir"
  # cupsd only checks that the backends the device URIs name exist.
  for backend in socket ipp; do
    printf '#!/bin/sh\nexit 0\n' >"$dir/bin/backend/$backend"
    chmod 755 "$dir/bin/backend/$backend"
  done
  # cupsd refuses to run its helpers as root.
  user=$(id -un)
  [ "$(id -u)" = 0 ] && { getent passwd lp >/dev/null && user=lp || user=nobody; }
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
User $user
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
CONF
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
  cupsd_pid=$!
  for _ in $(seq 150); do
    [ -S "$dir/cups.sock" ] && lpstat -h "$dir/cups.sock" -r >/dev/null 2>&1 && break
    kill -0 "$cupsd_pid" 2>/dev/null || { echo "cupsd ended at start:"; cat "$dir/log/error_log"; return 1; }
    sleep 0.1
  done
  local s=$dir/cups.sock
  /usr/sbin/lpadmin -h "$s" -p Kantoor -E -v socket://192.0.2.10:9100 -D "Laser op de gang" -L "Kamer 2.14" &&
  /usr/sbin/lpadmin -h "$s" -p pdf-out -E -v file:///dev/null -D "Naar een bestand" &&
  /usr/sbin/lpadmin -h "$s" -p Zolder -E -v ipp://192.0.2.11/ipp/print -L "Zolder, achter de schoorsteen" &&
  /usr/sbin/lpadmin -h "$s" -d Zolder
}

stop_private_cupsd() {
  [ -n "$cupsd_pid" ] || return 0
  kill "$cupsd_pid" 2>/dev/null || true
  wait "$cupsd_pid" 2>/dev/null || true
  cupsd_pid=
}
