# Harness of the end-to-end runs: album.exe in a Wine prefix and wineserver of their own, its settings prepared in
# that prefix's registry, driven by real input (e2e_input) and read from outside (e2e_probe).
# Source it with ALBUM_BUILD_DIR set and DISPLAY naming a running X display (tools/test.sh provides both).
# shellcheck source=../../tools/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib.sh"

e2e_root="$build/e2e"
# The runs' settings and folders never touch the prefix a user runs album in.
export WINEPREFIX="$e2e_root/prefix"
# The runs' folders are drive P: of that prefix, so the folder tree shows them right below the drive.
work="$e2e_root/work"
album_pid=
run_name=
run_start=
# Seconds any one call of a test program may take.
tool_limit=150
# Control ids of the main window.
start_button=1
exit_button=2
counter=1013
select_all=1017
select_none=1018
output_edit=1028

# Fails the run; the screen as it was is kept beside album's log for a look at what went wrong.
fail() {
    echo "e2e $run_name: FAIL: $*" >&2
    /usr/bin/import -window root "$e2e_root/$run_name-failure.png" >/dev/null 2>&1 &&
        echo "e2e $run_name: the screen at the failure: $e2e_root/$run_name-failure.png" >&2
    exit 1
}

note() { echo "e2e $run_name: $*"; }

# The Windows path of a file under the work folder.
win_path() {
    local rel="${1#"$work"/}"
    echo "P:\\${rel//\//\\}"
}

# Prepares the prefix (once), its drive P: and its wineserver; everything started ends with the shell.
begin_run() {
    run_name="$1"
    run_start=$SECONDS
    [ -n "${DISPLAY:-}" ] || fail "no X display: run through tools/test.sh"
    trap end_run EXIT
    make_prefix "$WINEPREFIX" "$e2e_root/wineboot.log"
    mkdir -p "$work"
    ln -sfn "$work" "$WINEPREFIX/dosdevices/p:"
    start_wineserver "$e2e_root/wineserver.log"
}

end_run() {
    local status=$?
    stop_all
    note "$([ "$status" -eq 0 ] && echo passed || echo failed) in $((SECONDS - run_start)) s"
}

# Runs a test program in the prefix, bounded in time, and prints its output without CRs. Its output goes
# through files: Wine's services started with it inherit its handles and would hold a pipe open.
run_tool() {
    local out err status=0
    out="$(mktemp)"
    err="$(mktemp)"
    timeout --kill-after=2 "$tool_limit" "$WINE" "$build/bin/$1.exe" "${@:2}" >"$out" 2>"$err" \
        </dev/null || status=$?
    tr -d '\r' <"$out"
    tr -d '\r' <"$err" >&2
    rm -f "$out" "$err"
    return "$status"
}

probe() { run_tool e2e_probe "$@"; }
input() { run_tool e2e_input "$@"; }

# Clicks the middle of a control of the main window.
click() { input click "$1" || fail "no click on control $1"; }

# Fails unless subject (see e2e_probe) reads expected within ms milliseconds.
expect_reads() {
    local subject="$1" expected="$2" ms="${3:-5000}" seen
    seen="$(probe await "$subject" "$expected" "$ms")" || fail "$subject reads '$seen', expected '$expected'"
}

# Fails unless the stored setting holds expected (album stores some right after its message box closes).
expect_setting() { expect_reads "setting:$1" "$2" 2000; }

# Gives input that ends in a message box; prints how long the box took to appear after the input.
input_until_message() {
    local limit_ms="$1" took
    took="$(input "${@:2}" --await-message "$limit_ms")" || fail "no message box within $limit_ms ms of: ${*:2}"
    note "message box ${took} ms after: ${*:2}"
}

# Fails unless album's message box says exactly expected (lines joined by \n); then closes it with "OK".
expect_message() {
    local text
    text="$(probe read message 5000)" || fail "no message box to read"
    [ "$text" = "$1" ] || fail "the message box says '$text', expected '$1'"
    probe close-message || fail "the message box does not close"
}

# Starts album in the prefix and waits for its main window.
start_album() {
    "$WINE" "$build/bin/album.exe" >"$e2e_root/$run_name-album.log" 2>&1 </dev/null &
    album_pid=$!
    ALBUM_WINE_PIDS+=("$album_pid")
    probe await-window 30000 || fail "album's main window did not appear within 30 s"
}

# Whether a child process has ended (an ended child stays a zombie until it is waited for).
has_ended() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 0
    stat="${stat##*) }"
    [[ "$stat" == Z* ]]
}

# Closes album with "Exit" and waits for its process to end without error.
close_album() {
    local i status=0
    click "$exit_button"
    for ((i = 0; i < 150; i++)); do
        has_ended "$album_pid" && break
        sleep 0.1
    done
    has_ended "$album_pid" || fail "album still runs 15 s after Exit"
    wait "$album_pid" || status=$?
    [ "$status" -eq 0 ] || fail "album ended with exit code $status"
}

# The photos of the runs (made once per build tree), copied into folder $1: listed ones and two that are not.
#   beach_one.jpg, beach_two.jpg  the same dark 800 x 600 JPEG under two names
#   drawing.png 640 x 480, scan.bmp 320 x 240
#   portrait.jpg                  2000 x 1500 stored, EXIF orientation 6 (upright 1500 x 2000, its bright half
#                                 on the right) and an EXIF thumbnail
#   wide_2255.jpg, wide_2256.jpg  2255 and 2256 pixels wide, 1500 high
#   notes.txt, raw.jpeg           not photos of album
make_photos() {
    local source="$e2e_root/photos" im=/usr/bin/convert
    if [ ! -f "$source/.ready" ]; then
        rm -rf "$source"
        mkdir -p "$source"
        (
            cd "$source"
            $im -size 800x600 gradient:'#383040-#101018' -quality 92 beach_one.jpg
            cp beach_one.jpg beach_two.jpg
            $im -size 640x480 gradient:'#4060a0-#a0c040' -depth 8 drawing.png
            $im -size 320x240 pattern:checkerboard -depth 8 -type TrueColor BMP3:scan.bmp
            $im -size 2000x750 xc:'#e0e0d8' -size 2000x750 xc:'#202028' -append -quality 92 portrait.jpg
            $im -size 160x120 xc:'#808080' thumb.jpg
            exiftool -q -overwrite_original -n -Orientation=6 '-ThumbnailImage<=thumb.jpg' portrait.jpg
            rm thumb.jpg
            $im -size 2255x1500 gradient:'#203060-#c08040' -quality 92 wide_2255.jpg
            $im -size 2256x1500 gradient:'#203060-#c08040' -quality 92 wide_2256.jpg
            echo "not a photo" >notes.txt
            cp beach_one.jpg raw.jpeg
        ) || fail "the photos could not be made"
        touch "$source/.ready"
    fi
    rm -rf "$1"
    mkdir -p "$1"
    cp "$source"/*.* "$1/"
}

# Of the file names on stdin, those album lists, in the order of its cards: Wine enumerates a folder by name.
photo_names() { grep -iE '\.(jpg|bmp|png|gif|tif)$' | LC_ALL=C sort -f; }

# The names album lists from folder $1.
listed_photos() { ls "$1" | photo_names; }

# The output name of a photo: its name without the last four characters, then ".jpg".
output_name() { echo "${1:0:${#1}-4}.jpg"; }

# Width and height of an image.
image_size() { /usr/bin/identify -format '%w %h' "$1"; }

# Mean luma (0-255) of the box WxH+X+Y of an image.
mean_luma() { /usr/bin/convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:255*mean]' info:; }

# The largest difference of any channel (0-255) between two images in the box WxH+X+Y.
max_difference() {
    /usr/bin/convert "$1" "$2" -crop "$3" +repage -compose difference -composite -separate \
        -format '%[fx:255*maxima]\n' info: | sort -g | tail -n 1
}

# Whether an arithmetic comparison of decimals holds, e.g. holds "45.2 >= 20 + 13.1".
holds() { awk "BEGIN { exit !($1) }"; }
