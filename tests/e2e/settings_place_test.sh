#!/usr/bin/env bash
# Started from a folder it cannot write, the program keeps its settings in the user's
# application-data folder: it reads them there, writes them there at close (making the folder),
# and says so at close when that folder cannot take them either.
. "$(dirname "$0")/lib.sh"
user_dir="$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/rumona"
record() {  # LEFT TOP FOLDER
  printf '%s,%s,1215,4500,"%s","",0,0,"",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n' "$@"
}
e2e_install
record 0 0 >"$E2E_DIR/rumona.ini"  # not read while the user's copy is there
rm -rf "$user_dir"
mkdir -p "$user_dir"
record 1500 1200 >"$user_dir/rumona.ini"
chattr +i "$E2E_DIR"
trap 'chattr -i "$E2E_DIR" "$user_dir" 2>/dev/null; e2e_cleanup; rm -rf "$user_dir"' EXIT

e2e_start
check "the bus window stands where the user's copy says" \
  test "$(e2e_geometry "$BUS" | cut -d' ' -f1,2)" = "100 80"
rm -r "$user_dir"
check "closing ends the program" e2e_close $((bx + 200)) $((by + 186))
check "and writes the user's copy, making its folder" \
  cmp -s "$user_dir/rumona.ini" <(record 1500 1200 "\\")  # Alt+F4 on the sign stored its "\"

chattr +i "$user_dir"
e2e_start
e2e_click $((bx + 200)) $((by + 186))
e2e_key alt+F4
check "when neither folder takes the file, a message says so at close" e2e_wait e2e_shown カナテラ
e2e_key_to "$(e2e_find "カナテラ")" Return
check "and the program ends once it is answered" e2e_wait e2e_ended
e2e_finish
