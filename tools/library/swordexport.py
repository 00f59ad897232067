"""Reads installed SWORD modules through mod2imp.

The commentary package ships "ModDrv=zCom4" although its data files hold
10-byte index records ("zCom"); read with the shipped configuration the
export is hundreds of megabytes of garbage.  So every module is read through
a private SWORD_PATH whose configuration copies are corrected where needed
and whose "modules" entry points at the installed data.
"""

import os
import re
import shutil
import subprocess
import tempfile

SYSTEM_SWORD = "/usr/share/sword"

# Configuration lines corrected in the private copy: module conf -> {key: value}.
CONF_FIXES = {
    "mhcc.conf": {"ModDrv": "zCom"},
}

# Module name -> (conf file, Debian package), for the error message.
MODULES = {
    "engKJV2006eb": ("engKJV2006eb.conf", "sword-text-kjv"),
    "engWEB2015eb": ("engWEB2015eb.conf", "sword-text-web"),
    "spaRV1909eb": ("spaRV1909eb.conf", "sword-text-sparv"),
    "MHCC": ("mhcc.conf", "sword-comm-mhcc"),
    "Nave": ("nave.conf", "sword-dict-naves"),
    "StrongsHebrew": ("strongshebrew.conf", "sword-dict-strongs-hebrew"),
    "StrongsGreek": ("strongsgreek.conf", "sword-dict-strongs-greek"),
}


class ExportError(Exception):
    pass


class PrivateSwordPath:
    """A temporary SWORD_PATH holding corrected copies of the module confs."""

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="tolvane-sword-")
        mods = os.path.join(self.root, "mods.d")
        os.mkdir(mods)
        os.symlink(os.path.join(SYSTEM_SWORD, "modules"), os.path.join(self.root, "modules"))
        for module, (conf, package) in sorted(MODULES.items()):
            source = os.path.join(SYSTEM_SWORD, "mods.d", conf)
            if not os.path.exists(source):
                raise ExportError("%s is missing: apt-get install %s" % (source, package))
            with open(source, encoding="utf-8", errors="surrogateescape") as f:
                text = f.read()
            for key, value in CONF_FIXES.get(conf, {}).items():
                text = re.sub(r"(?m)^%s=.*$" % re.escape(key), "%s=%s" % (key, value), text)
            with open(os.path.join(mods, conf), "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write(text)
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.root, ignore_errors=True)

    def export(self, module):
        """Returns the module's entries as a list of (key, raw markup)."""
        if shutil.which("mod2imp") is None:
            raise ExportError("mod2imp not found: apt-get install libsword-utils")
        env = dict(os.environ, SWORD_PATH=self.root, HOME=self.root)
        result = subprocess.run(["mod2imp", module], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, check=False)
        if result.returncode != 0 or not result.stdout:
            raise ExportError("mod2imp %s failed: %s" % (module, result.stderr.decode(errors="replace")))
        return parse_imp(result.stdout.decode("utf-8"))


def parse_imp(text):
    """Splits mod2imp output into (key, body) pairs; "$$$key" starts an entry."""
    entries = []
    key = None
    body = []
    for line in text.split("\n"):
        if line.startswith("$$$"):
            if key is not None:
                entries.append((key, "\n".join(body)))
            key = line[3:]
            body = []
        elif key is not None:
            body.append(line)
    if key is not None:
        entries.append((key, "\n".join(body)))
    return entries


VERSE_KEY = re.compile(r"^(.*) (\d+):(\d+)$")


def split_verse_key(key):
    """'I Samuel 3:10' -> ('I Samuel', 3, 10); None for headings."""
    m = VERSE_KEY.match(key)
    if not m:
        return None
    return m.group(1), int(m.group(2)), int(m.group(3))
