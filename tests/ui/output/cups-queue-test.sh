#!/bin/sh
# Runs the CUPS print test against a cupsd of its own: a configuration, spool and
# socket in a temporary folder, and one queue on the cups-pdf backend whose PDF files
# land there too. The PDF backend runs only as root and reads its instance's settings
# from /etc/cups, so the test needs root and leaves that one file there only while it
# runs. Exit 77 (skipped) where cupsd, cups-pdf or root are missing.
#
#   cups-queue-test.sh TEST-PROGRAM
set -eu
program=$1
queue=quillery-test

[ "$(id -u)" -eq 0 ] || { echo "not root: skipped"; exit 77; }
[ -x /usr/sbin/cupsd ] && command -v lpadmin >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] ||
  { echo "no cupsd, lpadmin or cups-pdf: skipped"; exit 77; }
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || { echo "no $ppd: skipped"; exit 77; }

work=$(mktemp -d /tmp/quillery-cups.XXXXXX)
chmod 755 "$work"
instance=/etc/cups/cups-pdf-$queue.conf
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -f "$instance"
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/cache" "$work/state/certs" "$work/log" \
  "$work/out" "$work/pdf-spool"
cat > "$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Sandboxing Relaxed
CONF
cat > "$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
cat > "$instance" <<CONF
Out $work/out
AnonDirName $work/out
Spool $work/pdf-spool
Log $work/log
Grp root
UserUMask 0022
CONF

/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
pid=$!
tries=0
until [ -S "$work/cups.sock" ]; do
  tries=$((tries + 1))
  [ $tries -le 100 ] || { echo "cupsd did not start"; cat "$work/log/error_log" 2>/dev/null; exit 1; }
  sleep 0.2
done
export CUPS_SERVER="$work/cups.sock"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd"

status=0
QUILLERY_CUPS_QUEUE=$queue QUILLERY_CUPS_OUT="$work/out" "$program" || status=$?
if [ $status -ne 0 ]; then
  echo "--- cupsd error log"
  cat "$work/log/error_log" 2>/dev/null || true
  cat "$work/log/cups-pdf"* 2>/dev/null || true
fi
exit $status
