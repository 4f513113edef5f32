#!/usr/bin/env python3
"""Benchmark of album's photo pipeline against well-known image tools, on one generated photo set.

Runs, in one go and on the same files: album's harness (the real scan and job, under Wine), ImageMagick's
`convert` (plain and with shrink-on-load), libvips (`vips copy [shrink=2]`, `vipsthumbnail -s 52`) and
libjpeg-turbo's `djpeg -scale 1/2` + `cjpeg -quality 30` and `djpeg -scale 1/8`, both natively and as the Windows
programs built from the same source for album's architecture, run under Wine. Prints each tool's per-photo wall and
CPU time, the quality of the copies, album's ratios against the tools, and whether the targets hold. Called by
photo-bench.sh.
"""
import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

CONVERT = "/usr/bin/convert"  # ImageMagick's; `convert` on PATH may be something else
COMPARE = "/usr/bin/compare"
CAMERA, PNG = "camera", "png"
BARE_PHOTOS = 1000  # the scan of photos without an EXIF thumbnail
# What the camera photos carry besides their thumbnail: the capture facts a copy keeps and a location it drops.
CAMERA_TAGS = {"Make": "Canon", "Model": "Canon EOS 5D Mark II", "DateTimeOriginal": "2009:03:07 14:15:16",
               "SubSecTimeOriginal": "42", "OffsetTimeOriginal": "+01:00", "ExposureTime": "0.004", "FNumber": "2.8",
               "ISO": "400", "FocalLength": "50"}
LOCATION_TAGS = {"GPSLatitude": "48.8584", "GPSLatitudeRef": "N", "GPSLongitude": "2.2945", "GPSLongitudeRef": "E"}


def run_timed(commands):
    """Runs the commands one after the other; returns (wall ms, CPU ms of the children, peak RSS in MB)."""
    start = time.perf_counter()
    cpu = 0.0
    peak = 0
    for command in commands:
        with open(os.devnull, "wb") as sink:
            process = subprocess.Popen(command, stdout=sink, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(process.pid, 0)
            process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            raise RuntimeError(f"failed ({process.returncode}): {' '.join(command)}")
        cpu += (usage.ru_utime + usage.ru_stime) * 1000.0
        peak = max(peak, usage.ru_maxrss / 1024.0)
    return (time.perf_counter() - start) * 1000.0, cpu, peak


def generate(set_dir):
    """The photo set: 24 camera-like 12 MP JPEGs with EXIF (capture facts, location, thumbnail) and 4 PNGs."""
    marker = os.path.join(set_dir, ".complete-exif")
    if os.path.exists(marker):
        return
    shutil.rmtree(set_dir, ignore_errors=True)
    for sub in (CAMERA, PNG):
        os.makedirs(os.path.join(set_dir, sub))
    kinds = [(CAMERA, i, 4000, 3000) for i in range(24)] + [(PNG, i, 3000, 2000) for i in range(4)]
    for number, (sub, i, width, height) in enumerate(kinds):
        seed = 7919 * (number + 1)
        extension = "png" if sub == PNG else "jpg"
        path = os.path.join(set_dir, sub, f"IMG_{i + 1:04d}.{extension}")
        # Smooth fractal light, hard-edged shapes and sensor-like noise.
        shapes = []
        for k in range(6):
            x, y = (seed * (k + 3) * 7919) % width, (seed * (k + 5) * 104729) % height
            colour = f"#{(seed * (k + 11) * 2654435761) % 0xFFFFFF:06x}"
            shapes += ["-fill", colour, "-draw", f"rectangle {x},{y} {x + width // 6},{y + height // 5}"]
        command = [CONVERT, "-seed", str(seed), "-size", f"{width // 8}x{height // 8}", "plasma:fractal",
                   "-blur", "0x1", "-resize", f"{width}x{height}!", *shapes, "-attenuate", "0.4",
                   "+noise", "Gaussian"]
        command += [path] if sub == PNG else ["-sampling-factor", "2x2", "-quality", "92", path]
        subprocess.run(command, check=True)
        if sub == CAMERA:
            thumb = path + ".thumb.jpg"
            subprocess.run([CONVERT, path, "-thumbnail", "160x120!", "-quality", "80", thumb], check=True)
            tags = [f"-{tag}={value}" for tag, value in {**CAMERA_TAGS, **LOCATION_TAGS}.items()]
            subprocess.run(["exiftool", "-q", "-overwrite_original", f"-ThumbnailImage<={thumb}", *tags, path],
                           check=True)
            os.remove(thumb)
    open(marker, "w").close()


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_turbo(tools, program, *args):
    """A command running the Windows build of a libjpeg-turbo program under Wine, on files (Wine's services keep
    a pipe open after the program ends)."""
    return [os.environ["WINELOADER"], os.path.join(tools, program + ".exe"), *args]


def psnr(reference, copy):
    """PSNR in dB of copy against reference, by ImageMagick's compare."""
    result = subprocess.run([COMPARE, "-metric", "PSNR", reference, copy, "null:"], capture_output=True, text=True)
    return float(result.stderr.split()[0])


def box_reference(source, work):
    """The exact reference of a halved copy: the full decode of source, every 2 x 2 block averaged (kept at 16 bits
    per channel)."""
    full = os.path.join(work, "full.ppm")
    reference = os.path.join(work, os.path.basename(source) + ".ref.miff")
    subprocess.run(["djpeg", "-outfile", full, source], check=True)
    subprocess.run([CONVERT, full, "-depth", "16", "-scale", "50%", reference], check=True)
    os.remove(full)
    return reference


def bare_copies(set_dir, work, names):
    """The camera photos without any EXIF block (so without a thumbnail), made once into work/bare."""
    bare = os.path.join(work, "bare")
    if not os.path.exists(os.path.join(bare, ".complete")):
        shutil.rmtree(bare, ignore_errors=True)
        os.makedirs(bare)
        for name in names:
            subprocess.run(["exiftool", "-q", "-all=", "-o", os.path.join(bare, name),
                            os.path.join(set_dir, CAMERA, name)], check=True)
        open(os.path.join(bare, ".complete"), "w").close()
    return bare


def run_album(harness, args, runs):
    """Runs the harness; returns its parsed lines {(phase, name): {key: value}} and the Wine process's peak RSS."""
    command = [os.environ["WINELOADER"], harness, *args, str(runs)]
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        raise RuntimeError(f"album harness failed:\n{output}")
    results = {}
    for line in output.replace("\r", "").splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[0] == "album":
            results[(parts[1], parts[2])] = {k: float(v) for k, v in (p.split("=") for p in parts[3:] if "=" in p)}
    return results, usage.ru_maxrss / 1024.0


def copy_metadata_checks(copy):
    """What exiftool, an independent reader, finds in one of album's copies: (label, held) pairs."""
    found = json.loads(subprocess.run(["exiftool", "-j", "-n", copy], capture_output=True, text=True,
                                      check=True).stdout)[0]

    def same(tag, value):
        try:
            return float(found.get(tag)) == float(value)
        except (TypeError, ValueError):
            return str(found.get(tag)) == value

    return [
        ("copy keeps capture date, camera and exposure", all(same(t, v) for t, v in CAMERA_TAGS.items())),
        ("copy has orientation 1 and album's software tag",
         found.get("Orientation") == 1 and str(found.get("Software", "")).startswith("album ")),
        ("copy has no GPS position", not any(tag.startswith("GPS") for tag in found)),
        ("copy has no embedded thumbnail", not any(tag.startswith("Thumbnail") for tag in found)),
    ]


def median_of_runs(commands, runs):
    samples = [run_timed(commands) for _ in range(runs)]
    return statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples)


def ratio(a, b):
    return a / b if b else float("inf")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--set", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--harness", required=True)
    parser.add_argument("--wine-tools", required=True, help="folder of djpeg.exe and cjpeg.exe")
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    runs = max(options.runs, 3)
    tools = options.wine_tools
    # album's job runs on one thread: so do the tools it is measured against.
    os.environ.update(VIPS_CONCURRENCY="1", MAGICK_THREAD_LIMIT="1", OMP_NUM_THREADS="1")

    version = subprocess.run([CONVERT, "-version"], capture_output=True, text=True).stdout
    if "ImageMagick" not in version:
        sys.exit(f"{CONVERT} is not ImageMagick's convert")
    generate(options.set)
    out = os.path.join(options.work, "out")
    anchors_out = os.path.join(options.work, "anchors")
    for folder in (out, anchors_out):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)

    # album: the scan and the job over each part of the set, `runs` times each inside the harness.
    album = {}
    for sub in (CAMERA, PNG):
        target = os.path.join(out, sub)
        os.makedirs(target)
        results, _ = run_album(options.harness, ["job", wine_path(os.path.join(options.set, sub)),
                                                 wine_path(target)], runs)
        album[sub] = results

    cameras = sorted(f for f in os.listdir(os.path.join(options.set, CAMERA)) if f.endswith(".jpg"))
    scratch = os.path.join(options.work, "scratch.ppm")
    # The Windows programs' own start and end under Wine, timed on a 16 x 16 photo and taken off their figures.
    tiny = os.path.join(options.work, "tiny.jpg")
    subprocess.run([CONVERT, "-size", "16x16", "gradient:", tiny], check=True)
    startup = median_of_runs([wine_turbo(tools, "djpeg", "-outfile", wine_path(scratch), wine_path(tiny)),
                              wine_turbo(tools, "cjpeg", "-outfile", wine_path(tiny + ".out"), wine_path(scratch))],
                             runs)
    startup8 = median_of_runs([wine_turbo(tools, "djpeg", "-scale", "1/8", "-outfile", wine_path(scratch),
                                          wine_path(tiny))], runs)
    rows = []
    print(f"\nJob, 12 MP photos halved at q30 (median of {runs} runs; ms per photo, wall/CPU)")
    print(f"{'photo':<14}{'album':>14}{'IM resize':>14}{'IM shrink':>14}{'vips shrink':>14}{'djpeg|cjpeg':>14}"
          f"{'.exe, Wine':>14}{'album KB':>10}{'IM KB':>8}{'dB album':>10}{'dB turbo':>10}")
    album_cpu = album[CAMERA][("job-total", "all")]["cpu_ms"] / len(cameras)
    for name in cameras:
        source = os.path.join(options.set, CAMERA, name)
        im_out = os.path.join(anchors_out, "im-" + name)
        tj_out = os.path.join(anchors_out, "tj-" + name)
        commands = {
            "im": [[CONVERT, source, "-resize", "50%", "-quality", "30", im_out]],
            "im_shrink": [[CONVERT, "-define", "jpeg:size=2000x1500", source, "-resize", "50%", "-quality", "30",
                           os.path.join(anchors_out, "ims-" + name)]],
            "vips": [["vips", "copy", f"{source}[shrink=2]", os.path.join(anchors_out, "vips-" + name) + "[Q=30]"]],
            "turbo": [["sh", "-c", f"djpeg -scale 1/2 '{source}' > '{scratch}'"],
                      ["sh", "-c", f"cjpeg -quality 30 '{scratch}' > '{tj_out}'"]],
            "wine": [wine_turbo(tools, "djpeg", "-scale", "1/2", "-outfile", wine_path(scratch), wine_path(source)),
                     wine_turbo(tools, "cjpeg", "-quality", "30", "-outfile",
                                wine_path(os.path.join(anchors_out, "tjw-" + name)), wine_path(scratch))],
        }
        row = {tool: median_of_runs(command, runs) for tool, command in commands.items()}
        row["album"] = (album[CAMERA][("job", name)]["wall_ms"], album_cpu)
        copy = os.path.join(out, CAMERA, name)
        row["album_kb"] = os.path.getsize(copy) / 1024.0
        row["im_kb"] = os.path.getsize(im_out) / 1024.0
        reference = box_reference(source, options.work)
        row["album_db"] = psnr(reference, copy)
        row["turbo_db"] = psnr(reference, tj_out)
        os.remove(reference)
        rows.append(row)
        cells = "".join(f"{row[t][0]:>7.0f}/{row[t][1]:<6.0f}"
                        for t in ("album", "im", "im_shrink", "vips", "turbo", "wine"))
        print(f"{name:<14}{cells}{row['album_kb']:>10.0f}{row['im_kb']:>8.0f}{row['album_db']:>10.2f}"
              f"{row['turbo_db']:>10.2f}")

    def med(tool, index):
        return statistics.median(r[tool][index] for r in rows)

    wine_net = med("wine", 1) - startup[1]
    flush = album[CAMERA][("flush-total", "all")]
    job_wall = album[CAMERA][("job-total", "all")]["wall_ms"] / len(cameras)
    db_loss = statistics.median(r["turbo_db"] - r["album_db"] for r in rows)
    print(f"  djpeg.exe + cjpeg.exe start and end under Wine: {startup[0]:.0f}/{startup[1]:.0f};"
          f" net of them {med('wine', 0) - startup[0]:.0f}/{wine_net:.0f}")
    print(f"  album's flush: {flush['wall_ms']:.1f} wall, {flush['cpu_ms']:.1f} CPU per photo, "
          f"{100.0 * flush['wall_ms'] / job_wall:.0f}% of the job's wall time ({job_wall:.0f} per photo)")
    print(f"  PSNR against the 2 x 2 box of the full decode: album {statistics.median(r['album_db'] for r in rows):.2f}"
          f" dB, djpeg|cjpeg {statistics.median(r['turbo_db'] for r in rows):.2f} dB (median)")

    print("\nPNG, 6 MP halved at q30 (median of runs; ms per photo, wall/CPU)")
    pngs = sorted(f for f in os.listdir(os.path.join(options.set, PNG)) if f.endswith(".png"))
    png_rows = []
    for name in pngs:
        source = os.path.join(options.set, PNG, name)
        stem = os.path.splitext(name)[0]
        png_rows.append({
            "album": (album[PNG][("job", name)]["wall_ms"], album[PNG][("job-total", "all")]["cpu_ms"] / len(pngs)),
            "vips": median_of_runs([["vips", "shrink", source, os.path.join(anchors_out, f"vp-{stem}.jpg[Q=30]"),
                                     "2", "2"]], runs),
            "im": median_of_runs([[CONVERT, source, "-scale", "50%", "-quality", "30",
                                   os.path.join(anchors_out, f"imp-{stem}.jpg")]], runs),
        })
    png = {t: (statistics.median(r[t][0] for r in png_rows), statistics.median(r[t][1] for r in png_rows))
           for t in ("album", "vips", "im")}
    print(f"  album {png['album'][0]:.0f}/{png['album'][1]:.0f}, vips shrink 2 2 {png['vips'][0]:.0f}/"
          f"{png['vips'][1]:.0f}, ImageMagick -scale 50% {png['im'][0]:.0f}/{png['im'][1]:.0f}")

    print("\nScan (median ms per photo, wall/CPU)")
    scan_thumb_wall = statistics.median(album[CAMERA][("scan", n)]["wall_ms"] for n in cameras)
    vthumb = [median_of_runs([["vipsthumbnail", "-s", "52", os.path.join(options.set, CAMERA, n), "-o",
                               os.path.join(anchors_out, "vt-" + n)]], runs) for n in cameras]
    print(f"  album, 12 MP with EXIF thumbnail: {scan_thumb_wall:.1f} wall"
          f" (vipsthumbnail -s 52: {statistics.median(w for w, _ in vthumb):.0f}/"
          f"{statistics.median(c for _, c in vthumb):.0f})")
    # 1,000 photos without a thumbnail: hard links of the camera photos stripped of their EXIF block.
    bare = bare_copies(options.set, options.work, cameras)
    bare_many = os.path.join(options.work, "bare-many")
    shutil.rmtree(bare_many, ignore_errors=True)
    os.makedirs(bare_many)
    for i in range(BARE_PHOTOS):
        os.link(os.path.join(bare, cameras[i % len(cameras)]), os.path.join(bare_many, f"P{i:04d}.jpg"))
    bare_scan = run_album(options.harness, ["scan", wine_path(bare_many)], 1)[0][("scan-total", "all")]
    bare_cpu = bare_scan["cpu_ms"] / BARE_PHOTOS
    djpeg8 = [median_of_runs([["djpeg", "-scale", "1/8", "-outfile", scratch, os.path.join(bare, n)]], runs)
              for n in cameras]
    djpeg8w = [median_of_runs([wine_turbo(tools, "djpeg", "-scale", "1/8", "-outfile", wine_path(scratch),
                                          wine_path(os.path.join(bare, n)))], runs) for n in cameras]
    djpeg8_cpu = statistics.median(c for _, c in djpeg8)
    djpeg8w_net = statistics.median(c for _, c in djpeg8w) - startup8[1]
    print(f"  album, {BARE_PHOTOS:,} photos of 12 MP without thumbnail: {bare_scan['wall_ms'] / BARE_PHOTOS:.1f}/"
          f"{bare_cpu:.1f} (djpeg -scale 1/8: {statistics.median(w for w, _ in djpeg8):.1f}/{djpeg8_cpu:.1f};"
          f" djpeg.exe under Wine: {statistics.median(w for w, _ in djpeg8w):.1f}/"
          f"{statistics.median(c for _, c in djpeg8w):.1f}, {djpeg8w_net:.1f} CPU net of its start)")

    # Memory: a folder of 1,000 photos (hard links of the camera set) scanned once.
    many = os.path.join(options.work, "many")
    shutil.rmtree(many, ignore_errors=True)
    os.makedirs(many)
    for i in range(1000):
        os.link(os.path.join(options.set, CAMERA, cameras[i % len(cameras)]), os.path.join(many, f"P{i:04d}.jpg"))
    empty = os.path.join(options.work, "empty")
    os.makedirs(empty, exist_ok=True)
    baseline = run_album(options.harness, ["scan", wine_path(empty)], 1)[0][("memory", "all")]
    results, peak_rss = run_album(options.harness, ["scan", wine_path(many)], 1)
    working = results[("memory", "all")]
    scan_1000 = results[("scan-total", "all")]
    print(f"\n1,000 photos scanned in {scan_1000['wall_ms'] / 1000:.1f} s: "
          f"working set {working['working_set_mb']:.1f} MB"
          f" (peak {working['peak_working_set_mb']:.1f} MB, Wine process peak RSS {peak_rss:.1f} MB); the same"
          f" process after scanning an empty folder: {baseline['working_set_mb']:.1f} MB")

    targets = [
        ("job CPU per 12 MP photo <= 1.1x djpeg.exe|cjpeg.exe under Wine, net of their start", album_cpu, wine_net,
         ratio(album_cpu, wine_net) <= 1.1),
        ("job CPU per 12 MP photo <= 1.1x djpeg.exe|cjpeg.exe under Wine, start included", album_cpu,
         med("wine", 1), ratio(album_cpu, med("wine", 1)) <= 1.1),
        ("job wall >= 1.5x faster than IM shrink-on-load", med("album", 0), med("im_shrink", 0),
         ratio(med("im_shrink", 0), med("album", 0)) >= 1.5),
        ("job wall >= 1.5x faster than vips shrink", med("album", 0), med("vips", 0),
         ratio(med("vips", 0), med("album", 0)) >= 1.5),
        ("PSNR at most 0.1 dB below djpeg|cjpeg's (median loss, dB)", db_loss, 0.1, db_loss <= 0.1),
        ("output no larger than ImageMagick's (every photo)", max(r["album_kb"] / r["im_kb"] for r in rows), 1.0,
         all(r["album_kb"] <= r["im_kb"] for r in rows)),
        ("scan with EXIF thumbnail <= 5 ms", scan_thumb_wall, 5.0, scan_thumb_wall <= 5.0),
        ("scan without thumbnail CPU <= 1.2x djpeg.exe -scale 1/8 under Wine, net of its start", bare_cpu,
         djpeg8w_net, ratio(bare_cpu, djpeg8w_net) <= 1.2),
        ("1,000-photo scan working set < 50 MB", working["working_set_mb"], 50.0, working["working_set_mb"] < 50.0),
        ("1,000-photo scan working set growth < 50 MB", working["working_set_mb"] - baseline["working_set_mb"],
         50.0, working["working_set_mb"] - baseline["working_set_mb"] < 50.0),
    ]
    print("\nTargets (album vs anchor)")
    for label, ours, theirs, held in targets:
        print(f"  {'met ' if held else 'MISS'} {label}: {ours:.2f} vs {theirs:.2f}")
    print("\nMetadata of a copy, read by exiftool")
    for label, held in copy_metadata_checks(os.path.join(out, CAMERA, cameras[0])):
        print(f"  {'met ' if held else 'MISS'} {label}")


if __name__ == "__main__":
    main()
