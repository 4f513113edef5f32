#!/usr/bin/env bash
# The end-to-end runs of album, each a ctest test of its own: e2e.sh smoke | a | b | c
#   smoke  Start with nothing marked, then Exit (the header and the buttons only)
#   a      the whole road with good photos: marks, date stamp, Enter from the output edit, the written copies
#   b      a broken photo sorting last: "Failure" with its path, the copies before it kept
#   c      the output folder is the photo folder: no original is ever touched
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

# Card offsets of the "Date" box's middle, from the card's bounds (the box is 20 x 20 at (170, 37)).
date_box=(180 47)

# Sizes of the copies, by output name: halved from 2256 pixels wide, upright for EXIF orientation 6.
declare -A copy_size=(
    [beach_one.jpg]="800 600" [beach_two.jpg]="800 600" [drawing.jpg]="640 480" [scan.jpg]="320 240"
    [portrait.jpg]="1500 2000" [wide_2255.jpg]="2255 1500" [wide_2256.jpg]="1128 750"
)

# Writes the settings album starts with: the photo folder selected in the tree, the output folder.
prepare_settings() {
    probe setting set TreePath "$(win_path "$1")" && probe setting set SavePath "$(win_path "$2")" ||
        fail "the settings could not be prepared"
}

# Records the bytes of every file of folder $1, to compare after the job.
record_originals() { (cd "$1" && sha256sum -- *) >"$e2e_root/$run_name-originals.sha256"; }

# The names of the recorded originals.
original_names() { cut -c67- "$e2e_root/$run_name-originals.sha256"; }

expect_originals_untouched() {
    (cd "$1" && sha256sum --quiet -c "$e2e_root/$run_name-originals.sha256") >&2 ||
        fail "an original in $1 was changed"
}

# Fails unless the copy of a photo exists in folder $1 with its expected pixel size.
expect_copy() {
    local copy="$1/$2" size
    [ -f "$copy" ] || fail "no copy $2 in $1"
    size="$(image_size "$copy")" || fail "the copy $2 is no image"
    [ "$size" = "${copy_size[$2]}" ] || fail "the copy $2 is $size, expected ${copy_size[$2]}"
}

# Fails unless folder $2 holds exactly the copies of the photos listed in folder $1.
expect_copies_of() {
    local photo expected=()
    while read -r photo; do expected+=("$(output_name "$photo")"); done < <(listed_photos "$1")
    [ "$(ls "$2" | LC_ALL=C sort)" = "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)" ] ||
        fail "$2 holds: $(ls "$2" | tr '\n' ' '); expected: ${expected[*]}"
    for photo in "${expected[@]}"; do expect_copy "$2" "$photo"; done
}

# The portrait copy stands upright: its bright half (the top of the stored picture) on the right, and no
# orientation tag that would turn it again.
expect_upright_portrait() {
    local copy="$1/portrait.jpg" left right tag
    left="$(mean_luma "$copy" 300x2000+100+0)"
    right="$(mean_luma "$copy" 300x2000+1100+0)"
    holds "$right > $left + 100" || fail "portrait.jpg is turned the wrong way (left $left, right $right)"
    tag="$(exiftool -s3 -n -Orientation "$copy")"
    [ -z "$tag" ] || [ "$tag" = 1 ] || fail "portrait.jpg keeps orientation tag $tag"
}

# The stamped copy is brighter where the date is drawn, and equal to its unmarked twin elsewhere.
expect_stamp_only_on() {
    local stamped="$1/$2" plain="$1/$3" lit dark difference
    lit="$(mean_luma "$stamped" 120x40+100+100)"
    dark="$(mean_luma "$plain" 120x40+100+100)"
    holds "$lit >= $dark + 20" || fail "no date stamp on $2 (luma $lit beside $dark)"
    difference="$(max_difference "$stamped" "$plain" 80x80+10+10)"
    holds "$difference <= 2" || fail "$2 and $3 differ by $difference outside the stamp"
}

run_smoke() {
    local empty="$work/smoke_photos" output="$work/smoke_out" shown
    rm -rf "$empty" "$output"
    mkdir -p "$empty"
    prepare_settings "$empty" "$output"
    start_album
    shown="$(probe read "$counter" 5000)" || fail "the counter cannot be read"
    [[ "$shown" =~ ^0\ ?/\ ?0$ ]] || fail "the counter reads '$shown' without photos"
    input_until_message 10000 click "$start_button"
    expect_message "Select one at least"
    probe await-window 1000 || fail "the main window went away with the message"
    close_album
    [ ! -e "$output" ] || fail "Start without marked photos made the output folder"
    expect_setting TreePath "$(win_path "$empty")"
    expect_setting SavePath "$(win_path "$output")"
}

run_a() {
    local photos="$work/a_photos" output="$work/a_out" count marked
    make_photos "$photos"
    rm -rf "$output"
    record_originals "$photos"
    count="$(listed_photos "$photos" | wc -l)"
    prepare_settings "$photos" "$output"
    start_album
    expect_reads "$counter" "$count/$count" 10000
    expect_reads items "$count"
    # From here on, "TreePath" holds a value only when album writes one.
    probe setting delete TreePath || fail "TreePath could not be deleted"

    click "$select_none"
    expect_reads "$counter" "0/$count"
    input_until_message 10000 click "$start_button"
    expect_message "Select one at least"
    click "$select_all"
    expect_reads "$counter" "$count/$count"
    marked="$(listed_photos "$photos" | grep -n '^beach_one\.jpg$' | cut -d: -f1)"
    input click-item "$((marked - 1))" "${date_box[@]}" || fail "no click on the Date box of beach_one.jpg"
    expect_reads "$counter" "$count/$count"
    click "$output_edit"
    input_until_message 120000 key return
    expect_message "Compression completed"

    expect_copies_of "$photos" "$output"
    expect_upright_portrait "$output"
    expect_stamp_only_on "$output" beach_one.jpg beach_two.jpg
    expect_originals_untouched "$photos"
    expect_setting SavePath "$(win_path "$output")\\"

    # A click on the photo folder in the tree scans it again (all marked anew) and stores it.
    expect_reads tree a_photos
    click "$select_none"
    expect_reads "$counter" "0/$count"
    input click-tree a_photos || fail "no click on a_photos in the tree"
    expect_reads "$counter" "$count/$count" 30000
    expect_setting TreePath "$(win_path "$photos")"
    # A folder without a path of its own keeps the cards as they are.
    click "$select_none"
    expect_reads "$counter" "0/$count"
    input click-tree "My Computer" || fail "no click on My Computer in the tree"
    expect_reads tree "My Computer"
    expect_reads "$counter" "0/$count"
    expect_reads items "$count"
    expect_setting TreePath "$(win_path "$photos")"
    close_album
}

run_b() {
    local photos="$work/b_photos" output="$work/b_out" count
    make_photos "$photos"
    yes garbage | head -c 4096 >"$photos/zz_broken.jpg"
    rm -rf "$output"
    record_originals "$photos"
    count="$(listed_photos "$photos" | wc -l)"
    prepare_settings "$photos" "$output"
    start_album
    expect_reads "$counter" "$count/$count" 10000
    input_until_message 120000 click "$start_button"
    expect_message "Failure
$(win_path "$photos/zz_broken.jpg")"
    close_album
    expect_originals_untouched "$photos"
    rm "$photos/zz_broken.jpg"
    expect_copies_of "$photos" "$output"
    expect_setting SavePath "$(win_path "$output")"
}

# After a job whose output folder is the photo folder $1, the message $2 matches what the folder then holds.
expect_outcome_in_place() {
    local photos="$1" text="$2" count photo copy new clash= before=()
    count="$(original_names | photo_names | wc -l)"
    new="$(ls "$photos" | LC_ALL=C sort | grep -vxF -f <(original_names))"
    if [ "$text" = "Compression completed" ]; then
        # One copy beside each photo: under its plain name, or numbered where that name is an original's.
        [ "$(grep -c . <<<"$new")" -eq "$count" ] || fail "after completion the new files are: $new"
        while read -r photo; do
            copy="$(output_name "$photo")"
            grep -qE "^${copy%.jpg}([^a-z]*[0-9][^a-z]*)?\.jpg$" <<<"$new" || fail "no copy of $photo in: $new"
        done < <(original_names | photo_names)
        expect_setting SavePath "$(win_path "$photos")\\"
        return
    fi
    # Otherwise the job stops at the first photo whose copy would replace an original, having written the
    # copies of the photos before it.
    while read -r photo; do
        copy="$(output_name "$photo")"
        [ -f "$photos/$copy" ] && ! grep -qxF "$copy" <<<"$new" && {
            clash="$photo"
            break
        }
        before+=("$copy")
    done < <(original_names | photo_names)
    [ -n "$clash" ] || fail "no copy would replace an original, yet the job says '$text'"
    [ "$text" = "Failure
$(win_path "$photos/$clash")" ] || fail "the job says '$text', expected Failure with the path of $clash"
    [ "$new" = "$(printf '%s\n' "${before[@]}" | grep . | LC_ALL=C sort)" ] ||
        fail "after the failure at $clash the new files are: $new"
    expect_setting SavePath "$(win_path "$photos")"
}

run_c() {
    local photos="$work/c_photos" count text
    make_photos "$photos"
    record_originals "$photos"
    count="$(listed_photos "$photos" | wc -l)"
    prepare_settings "$photos" "$photos"
    start_album
    expect_reads "$counter" "$count/$count" 10000
    input_until_message 120000 click "$start_button"
    text="$(probe read message 5000)" || fail "no message box to read"
    probe close-message || fail "the message box does not close"
    close_album
    expect_originals_untouched "$photos"
    expect_outcome_in_place "$photos" "$text"
}

case "${1:-}" in
smoke | a | b | c)
    begin_run "$1"
    "run_$1"
    ;;
*)
    echo "usage: $0 smoke|a|b|c" >&2
    exit 2
    ;;
esac
