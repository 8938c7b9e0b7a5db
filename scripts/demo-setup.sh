#!/usr/bin/env bash
# The demo world, shared by the demo runs and the screenshots; sourced, not
# run. tv_demo_setup BUILD_DIR makes, in a prefix of its own
# (BUILD_DIR/wine/demo, made once, its registry fresh for every run):
#   - a few BHOs registered the way installers leave them: on DLLs with
#     version resources (the test DLLs and two of Wine's own), one disabled
#     by the program's classic method, one by the add-on manager's setting,
#     one whose DLL is missing, one registered as %SystemRoot%\...;
#   - the three known-BHO lists served by a local HTTP server on 127.0.0.1
#     (the two maker's zips with their ".size" companions, the HTML list
#     plain), so the program downloads and unpacks them at start
#     (TV_DEMO_SERVER_DELAY seconds per answer, when set), and the update
#     page announcing a newer version;
#   - a local FTP server with the upload account, for the BHO reports;
#   - Tarvolin.exe in C:\Program Files\Tarvolin, without lists.
# It starts one Wine session on an Xvfb display and sets app_dir, drive_c,
# port, ftp_port and served; tv_demo_stop (set as the EXIT trap) stops the
# servers by their process ids and the Wine session by its own.

# tv_demo_setup BUILD_DIR
tv_demo_setup() {
  win=$(cd "$1" && pwd)
  for built in "$win/Tarvolin.exe" "$win/testdlls/english.dll" "$win/testdlls/bilingual32.dll"; do
    [[ -f $built ]] || { echo "demo: $built is not built" >&2; exit 1; }
  done

# The body is not indented: its here-documents are file contents.
tv_wine_env "$win" "$win/wine/demo"
tv_wine_prefix
tv_wine_reset_registry

served=$(mktemp -d "${TMPDIR:-/tmp}/tarvolin-demo-www.XXXXXX")
server_pids=()
tv_demo_stop() {
  local pid i
  for pid in "${server_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    for ((i = 0; i < 50; i++)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  rm -rf "$served"
  tv_wine_session_stop
}
trap tv_demo_stop EXIT

start=$EPOCHREALTIME
tv_wine_session_start --x
echo "demo: Wine session on $DISPLAY started in $(tv_elapsed "$start") s"

drive_c=$WINEPREFIX/drive_c
app_dir=$drive_c/Program\ Files/Tarvolin
reports_dir=$drive_c/Tarvolin\ Reports

# The DLLs: two test DLLs under made-up names, one of Wine's own in place.
mkdir -p "$drive_c/Program Files/Acme Bar" "$drive_c/Program Files/Polyglot Search"
cp "$win/testdlls/english.dll" "$drive_c/Program Files/Acme Bar/AcmeBar.dll"
cp "$win/testdlls/bilingual32.dll" "$drive_c/Program Files/Polyglot Search/polyglot.dll"
acme_md5=$(md5sum <"$drive_c/Program Files/Acme Bar/AcmeBar.dll" | cut -c1-32)
urlmon_md5=$(md5sum <"$drive_c/windows/system32/urlmon.dll" | cut -c1-32)
shdocvw_md5=$(md5sum <"$drive_c/windows/system32/shdocvw.dll" | cut -c1-32)

acme='{0A1B2C3D-4E5F-4A6B-8C7D-0E1F2A3B4C5D}'
polyglot='{1B2C3D4E-5F60-4B7C-9D8E-1F2A3B4C5D6E}'
urlmon='{2C3D4E5F-6071-4C8D-AE9F-2A3B4C5D6E7F}'
orphan='{3D4E5F60-7182-4D9E-BFA0-3B4C5D6E7F80}'
shdocvw='{4E5F6071-8293-4EAF-80B1-4C5D6E7F8091}'
gadget='{5A6B7C8D-9EAF-4B0C-A1D2-5E6F708192A3}'

# The lists: the maker's knows three files by checksum, the community lists
# know the others by CLSID.
mkdir -p "$served/files" "$served/site" "$served/make"
cat >"$served/make/Tarvolin20List.ini" <<EOF
[General]
Timestamp=2006-05-01 demo
TotalReports=1234
UniqueBHOs=56
[$acme_md5]
Status=Benign
Desc=Acme Bar, a search toolbar
URL=http://www.acme.example/bar
ReportsCount=321
EnabledCount=300
[$urlmon_md5]
Status=Unknown
Desc=Wine's URL moniker library, hosted as a BHO
[$shdocvw_md5]
Status=Investigating
Desc=Shell document viewer: reports are coming in
ReportsCount=8
EnabledCount=3
EOF
cat >"$served/make/bholist.txt" <<EOF
L $polyglot Polyglot Search: Harmless search helper in two languages, http://polyglot.example/
X $urlmon URL Hijacker: Changes the home page <a href="http://lists.example/urlmon">details</a>
EOF
cat >"$served/site/bhotb-all.html" <<EOF
<html><body><table>
<TR><TD>${orphan:1:36}</TD><TD>O</TD><TD>orphan.dll</TD>
<TD><a href="http://lists.example/orphan">Leftover of an uninstalled toolbar</a></TD></TR>
</table></body></html>
EOF
sed -i 's/$/\r/' "$served/make/Tarvolin20List.ini" "$served/make/bholist.txt" "$served/site/bhotb-all.html"
(cd "$served/make" && zip -q -X ../files/Tarvolin20List.zip Tarvolin20List.ini && zip -q -X ../files/bholist.zip bholist.txt)
# The update page: a newer version than the program's, so that the check
# for updates finds it.
cat >"$served/files/Tarvolin2PUD.html" <<EOF
<html><head><title>Tarvolin 2.0.0.24</title></head><body>
<!-- Currently Published Version: 2.0.0.24 -->
<h1>Tarvolin 2.0.0.24 is out</h1>
<p>What is new: a faster grid, and the BHO list of this month.</p>
</body></html>
EOF
sed -i 's/$/\r/' "$served/files/Tarvolin2PUD.html"
for file in "$served/files"/*.zip "$served/files/Tarvolin2PUD.html"; do stat -c %s "$file" >"$file.size"; done

# The servers: Python's http.server and pyftpdlib, each on a free port of
# 127.0.0.1. demo_server NAME ARGS...: starts local_server.py with ARGS,
# waits for it, and sets NAME_pid and NAME_port.
demo_server() {
  local name=$1 ready=$served/$1.ready i pid
  shift
  (
    tv_close_fds_above 2
    # The system's Python: pyftpdlib is a Debian package.
    LOCAL_SERVER_DELAY=${TV_DEMO_SERVER_DELAY:-0} exec /usr/bin/python3 "$root/tests/support/local_server.py" "$@"
  ) </dev/null >/dev/null 2>&1 &
  pid=$!
  server_pids+=("$pid")
  for ((i = 0; i < 100; i++)); do
    [[ -s $ready ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s $ready ]] || { echo "demo: the $name server did not start" >&2; exit 1; }
  printf -v "${name}_pid" %s "$pid"
  read -r _ "${name}_port" <"$ready"
}
start=$EPOCHREALTIME
demo_server http http "$served" "$served/http.ready"
port=$http_port
echo "demo: HTTP server (pid $http_pid) on http://127.0.0.1:$port/ started in $(tv_elapsed "$start") s"
start=$EPOCHREALTIME
mkdir -p "$served/uploads"
demo_server ftp ftp "$served/uploads" "$served/ftp.ready" tarvolin-bhoreports.kestrove.com wex3826
echo "demo: FTP server (pid $ftp_pid) on 127.0.0.1:$ftp_port started in $(tv_elapsed "$start") s"
for f in "$served"/files/* "$served"/site/*; do
  echo "      serves ${f#"$served"/} ($(stat -c %s "$f") bytes)"
done

# The registry, as installers, the program and the add-on manager leave it:
# one .reg file, imported by one run of regedit.
start=$EPOCHREALTIME
regfile=$drive_c/demo-bhos.reg
reg_text() { # a quoted .reg string
  local s=${1//\\/\\\\}
  printf '"%s"' "${s//\"/\\\"}"
}
reg_expand() { # REG_EXPAND_SZ: the bytes and a terminating zero, in hex
  printf 'hex(2):%s' "$(printf '%s\0' "$1" | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
}
add_bho() {
  local clsid=$1 progid=$2 type=$3 dll=$4
  echo "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\$clsid]"
  echo "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$clsid]"
  echo "@=$(reg_text "Demo object ${progid:-without ProgID}")"
  if [[ -n $progid ]]; then
    echo "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$clsid\\ProgID]"
    echo "@=$(reg_text "$progid")"
  fi
  echo "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$clsid\\InProcServer32]"
  if [[ $type == expand ]]; then echo "@=$(reg_expand "$dll")"; else echo "@=$(reg_text "$dll")"; fi
}
{
  echo REGEDIT4
  add_bho "$acme" 'Acme.Bar.1' text 'C:\Program Files\Acme Bar\AcmeBar.dll'
  add_bho "$polyglot" 'Polyglot.Search.1' text 'C:\Program Files\Polyglot Search\polyglot.dll__TarvolinDisabled_QXZ'
  add_bho "$urlmon" '' text 'C:\windows\system32\urlmon.dll'
  echo "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\$urlmon]"
  echo '"Flags"=dword:00000000'
  add_bho "$orphan" 'Demo.Orphan.1' text 'C:\Program Files\Demo Orphan\orphan.dll'
  add_bho "$shdocvw" '' expand '%SystemRoot%\system32\shdocvw.dll'
  add_bho "$gadget" 'Gadget.Helper.1' text 'C:\windows\system32\msxml3.dll'
  echo '[HKEY_CURRENT_USER\Software\Kestrove\Tarvolin 2.0]'
  echo "\"WebServerURL\"=$(reg_text "http://127.0.0.1:$port/")"
  echo "\"HtmlListSiteURL\"=$(reg_text "http://127.0.0.1:$port/site/")"
  echo '"FtpServer"="127.0.0.1"'
  printf '"FtpPort"=dword:%08x\n' "$ftp_port"
} | sed 's/$/\r/' >"$regfile"
tv_detached wine regedit /S 'C:\demo-bhos.reg'
echo "demo: 6 BHOs and the server settings registered in $(tv_elapsed "$start") s"

# The program, without lists beside it: it fetches them.
mkdir -p "$app_dir"
cp "$win/Tarvolin.exe" "$app_dir/"
rm -f "$app_dir"/_Tarvolin_*.log "$app_dir"/*.ini "$app_dir"/*.txt "$app_dir"/*.html "$app_dir"/*.zip
rm -rf "$reports_dir"
}
