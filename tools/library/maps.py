"""Draws the map pictures with GMT from the GSHHG coastline, river and border
data that Debian packages (gmt, gmt-gshhg-high).  Places are plotted at their
real coordinates (longitude, latitude; ancient sites at their identified
locations)."""

import os
import shutil
import subprocess
import tempfile

# name, longitude, latitude, label position (GMT justification), font size
HOLY_LAND_PLACES = [
    ("Jerusalem", 35.2137, 31.7683, "MR", 9),
    ("Bethlehem", 35.2007, 31.7054, "TR", 7),
    ("Bethany", 35.2614, 31.7714, "BL", 6),
    ("Jericho", 35.4443, 31.8611, "ML", 7),
    ("Emmaus", 34.9890, 31.8390, "MR", 7),
    ("Hebron", 35.0998, 31.5326, "ML", 7),
    ("Qumran", 35.4597, 31.7414, "ML", 6),
    ("Masada", 35.3536, 31.3156, "ML", 7),
    ("Gaza", 34.4667, 31.5000, "ML", 7),
    ("Joppa", 34.7522, 32.0544, "ML", 7),
    ("Lydda", 34.8950, 31.9510, "ML", 6),
    ("Caesarea", 34.8900, 32.5000, "ML", 7),
    ("Samaria", 35.1897, 32.2764, "ML", 7),
    ("Sychar", 35.2800, 32.2100, "ML", 6),
    ("Nain", 35.3470, 32.6310, "ML", 6),
    ("Nazareth", 35.2972, 32.6996, "MR", 8),
    ("Cana", 35.3411, 32.7469, "BR", 7),
    ("Tiberias", 35.5317, 32.7959, "MR", 7),
    ("Magdala", 35.5167, 32.8247, "MR", 6),
    ("Capernaum", 35.5750, 32.8803, "BR", 7),
    ("Bethsaida", 35.6306, 32.9100, "ML", 6),
    ("Gadara", 35.6790, 32.6550, "ML", 6),
    ("Gerasa", 35.8910, 32.2810, "ML", 7),
    ("Caesarea Philippi", 35.6944, 33.2486, "ML", 7),
    ("Tyre", 35.1958, 33.2705, "ML", 7),
    ("Sidon", 35.3711, 33.5631, "ML", 7),
    ("Damascus", 36.2913, 33.5138, "MR", 8),
]
HOLY_LAND_REGIONS = [
    ("GALILEE", 35.35, 32.95), ("SAMARIA", 35.22, 32.38), ("JUDEA", 35.05, 31.45),
    ("PEREA", 35.66, 31.98), ("DECAPOLIS", 35.95, 32.55), ("IDUMEA", 34.85, 31.15),
    ("Mediterranean Sea", 34.45, 32.55), ("Sea of Galilee", 35.72, 32.76), ("Dead Sea", 35.62, 31.42),
    ("Jordan", 35.50, 32.30),
]

PAUL_PLACES = [
    ("Jerusalem", 35.2137, 31.7683, "ML"), ("Caesarea", 34.8900, 32.5000, "MR"),
    ("Damascus", 36.2913, 33.5138, "ML"), ("Antioch", 36.1600, 36.2000, "ML"),
    ("Tarsus", 34.8950, 36.9180, "TL"), ("Seleucia", 35.9300, 36.1200, "TR"),
    ("Salamis", 33.9000, 35.1800, "ML"), ("Paphos", 32.4100, 34.7600, "TC"),
    ("Perga", 30.8500, 36.9600, "ML"), ("Attalia", 30.7000, 36.8900, "TR"),
    ("Antioch of Pisidia", 31.1900, 38.3100, "BC"), ("Iconium", 32.4800, 37.8700, "ML"),
    ("Lystra", 32.3300, 37.5800, "MR"), ("Derbe", 33.3600, 37.3500, "ML"),
    ("Troas", 26.1600, 39.7500, "MR"), ("Neapolis", 24.4100, 40.9300, "BC"),
    ("Philippi", 24.2900, 41.0100, "BR"), ("Thessalonica", 22.9400, 40.6400, "BC"),
    ("Berea", 22.2000, 40.5200, "MR"), ("Athens", 23.7300, 37.9800, "TR"),
    ("Corinth", 22.8800, 37.9100, "MR"), ("Cenchrea", 22.9900, 37.8800, "BL"),
    ("Ephesus", 27.3400, 37.9400, "ML"), ("Miletus", 27.2800, 37.5300, "ML"),
    ("Rhodes", 28.2200, 36.4300, "ML"), ("Patara", 29.3200, 36.2600, "TC"),
    ("Tyre", 35.1958, 33.2705, "ML"), ("Ptolemais", 35.0800, 32.9200, "MR"),
    ("Sidon", 35.3711, 33.5631, "MR"), ("Myra", 29.9850, 36.2590, "BC"),
    ("Fair Havens", 24.7700, 34.9300, "TC"), ("Melita (Malta)", 14.4000, 35.9000, "TC"),
    ("Syracuse", 15.2900, 37.0800, "ML"), ("Rhegium", 15.6500, 38.1100, "ML"),
    ("Puteoli", 14.1200, 40.8200, "TL"), ("Rome", 12.4800, 41.8900, "MR"),
]
# The journeys as Acts tells them, town by town.
PAUL_JOURNEYS = [
    ("First journey", "2p,red3", ["Antioch", "Seleucia", "Salamis", "Paphos", "Perga", "Antioch of Pisidia",
                                  "Iconium", "Lystra", "Derbe", "Lystra", "Iconium", "Antioch of Pisidia",
                                  "Perga", "Attalia", "Antioch"]),
    ("Second journey", "2p,blue3,-", ["Antioch", "Tarsus", "Derbe", "Lystra", "Iconium", "Troas", "Neapolis",
                                      "Philippi", "Thessalonica", "Berea", "Athens", "Corinth", "Cenchrea",
                                      "Ephesus", "Caesarea", "Jerusalem", "Antioch"]),
    ("Third journey", "2p,darkgreen,.", ["Antioch", "Tarsus", "Derbe", "Lystra", "Iconium",
                                         "Antioch of Pisidia", "Ephesus", "Troas", "Philippi", "Thessalonica",
                                         "Berea", "Corinth", "Berea", "Thessalonica", "Philippi", "Troas",
                                         "Miletus", "Rhodes", "Patara", "Tyre", "Ptolemais", "Caesarea",
                                         "Jerusalem"]),
    ("Journey to Rome", "2p,purple,-.", ["Caesarea", "Sidon", "Myra", "Fair Havens", "Melita (Malta)",
                                         "Syracuse", "Rhegium", "Puteoli", "Rome"]),
]


class MapError(Exception):
    pass


def _run(args, cwd, env):
    result = subprocess.run(args, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        raise MapError("%s failed: %s" % (" ".join(args[:3]), result.stderr.decode(errors="replace")))


def _write(path, rows):
    with open(path, "w", encoding="ascii") as f:
        for row in rows:
            f.write("\t".join(str(x) for x in row) + "\n")


def _gmt_env(home):
    env = dict(os.environ, HOME=home, GMT_USERDIR=os.path.join(home, "user"),
               GMT_TMPDIR=home, GMT_SESSION_NAME="tolvane")
    env.pop("GMT_DATADIR", None)
    return env


def draw_holy_land(out_path, work):
    places = os.path.join(work, "places.txt")
    labels = os.path.join(work, "labels.txt")
    _write(places, [(lon, lat) for _, lon, lat, _, _ in HOLY_LAND_PLACES])
    _write(labels, [(lon, lat, "%dp,Helvetica,black" % size, just, "  %s  " % name if just[1] in "LR" else name)
                    for name, lon, lat, just, size in HOLY_LAND_PLACES])
    regions = os.path.join(work, "regions.txt")
    _write(regions, [(lon, lat, "9p,Helvetica-BoldOblique,gray30" if name.isupper()
                      else "8p,Times-Italic,steelblue4", "CM", name) for name, lon, lat in HOLY_LAND_REGIONS])
    script = [
        ["gmt", "begin", "map", "jpg", "A+m0.3c,E150"],
        ["gmt", "set", "MAP_FRAME_TYPE", "plain", "FONT_ANNOT_PRIMARY", "8p", "FONT_TITLE", "14p,Times-Bold"],
        ["gmt", "coast", "-R34.2/36.5/31.0/33.65", "-JM16c", "-Ba0.5f0.25", "-B+tThe Holy Land in the time of Jesus",
         "-Gwheat1", "-Slightsteelblue1", "-Ir/0.7p,steelblue3", "-N1/0.4p,gray60,-", "-Dh", "-W0.5p,steelblue4",
         "-Lg34.6/31.15+c31.5+w25k+lkm", "--FONT_ANNOT_PRIMARY=7p"],
        ["gmt", "plot", places, "-Sc0.16c", "-Gred3", "-W0.4p,black"],
        ["gmt", "text", regions, "-F+f+j"],
        ["gmt", "text", labels, "-F+f+j", "-Dj0.05c"],
        ["gmt", "end"],
    ]
    _run_script(script, work, out_path)


def draw_paul(out_path, work):
    coords = {name: (lon, lat) for name, lon, lat, _ in PAUL_PLACES}
    places = os.path.join(work, "paul_places.txt")
    labels = os.path.join(work, "paul_labels.txt")
    _write(places, [(lon, lat) for _, lon, lat, _ in PAUL_PLACES])
    _write(labels, [(lon, lat, "7p,Helvetica,black", just, " %s " % name) for name, lon, lat, just in PAUL_PLACES])
    script = [
        ["gmt", "begin", "map", "jpg", "A+m0.3c,E150"],
        ["gmt", "set", "MAP_FRAME_TYPE", "plain", "FONT_ANNOT_PRIMARY", "8p", "FONT_TITLE", "14p,Times-Bold"],
        ["gmt", "coast", "-R11/37.5/30/43", "-JM24c", "-Ba5f1", "-B+tThe journeys of Paul", "-Gwheat1",
         "-Slightsteelblue1", "-Di", "-W0.4p,steelblue4", "-A50", "-Lg14/31+c36+w300k+lkm"],
    ]
    legend_rows = []
    for i, (title, pen, stops) in enumerate(PAUL_JOURNEYS):
        path = os.path.join(work, "journey%d.txt" % i)
        _write(path, [coords[s] for s in stops])
        script.append(["gmt", "plot", path, "-W%s" % pen, "-A"])
        legend_rows.append("S 0.3c - 0.6c - %s 0.8c %s" % (pen, title))
    script.append(["gmt", "plot", places, "-Sc0.14c", "-Gred3", "-W0.3p,black"])
    script.append(["gmt", "text", labels, "-F+f+j", "-Dj0.04c"])
    legend = os.path.join(work, "legend.txt")
    with open(legend, "w", encoding="ascii") as f:
        f.write("H 10p,Times-Bold Journeys (Acts 13-28)\n")
        f.write("\n".join(legend_rows) + "\n")
    script.append(["gmt", "legend", legend, "-DjBL+w5.2c+o0.3c", "-F+gwhite+p0.5p"])
    script.append(["gmt", "end"])
    _run_script(script, work, out_path)


def _run_script(script, work, out_path):
    env = _gmt_env(work)
    for args in script:
        _run(args, work, env)
    produced = os.path.join(work, "map.jpg")
    if not os.path.exists(produced):
        raise MapError("GMT wrote no picture")
    shutil.copyfile(produced, out_path)


def draw_maps(folder):
    """Draws every map into folder; returns the file names written."""
    if shutil.which("gmt") is None:
        raise MapError("gmt not found: apt-get install gmt gmt-gshhg-high ghostscript")
    written = []
    for name, draw in (("Holy Land in the time of Jesus.jpg", draw_holy_land),
                       ("Journeys of Paul.jpg", draw_paul)):
        work = tempfile.mkdtemp(prefix="tolvane-map-")
        try:
            draw(os.path.join(folder, name), work)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        written.append(name)
    return written
