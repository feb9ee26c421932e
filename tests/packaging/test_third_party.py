"""THIRD-PARTY.md, the licence texts, the Windows zip and the Debian copyright
file against what the tree and the builds actually carry."""

import fnmatch
import os
import re
import subprocess
import unittest
from pathlib import Path

TOP = Path(__file__).resolve().parents[2]
LIST = TOP / "THIRD-PARTY.md"
# Folders whose every file is an asset the programs ship or that came from
# elsewhere as it is.
ASSET_DIRS = ("resources", "licenses")
VENDOR_NAMES = {"vendor", "third_party", "thirdparty", "external"}
# Where the build files name assets taken from the machine at build time.
BUILD_FILES = ("CMakeLists.txt", "*.cmake", "*.rc", "Makefile")
# The build file that says what every program carries inside it as data.
EMBEDDING = "CMakeLists.txt"
DATA_FILE = re.compile(r"/usr/share/[^\s\"')<>;]+\.(?:ttf|otf|fon|png|bmp|ico|svg|css|js|woff2?|wav)\b")
# Fonts and web assets named on their own (in a folder given elsewhere).
DATA_NAME = re.compile(r"(?<![\w/.$}-])[\w+-]+(?:\.[\w+-]+)*\.(?:ttf|otf|fon|fnt|css|woff2?)\b")


def table(heading):
    """The rows of the first table after a '## heading' line, as lists of cells."""
    lines = LIST.read_text(encoding="utf-8").splitlines()
    start = lines.index("## " + heading)
    rows = []
    for line in lines[start + 1:]:
        if line.startswith("## "):
            break
        if line.startswith("|"):
            rows.append([c.strip() for c in line.strip("|").split(" | ")])
    return rows[2:]  # past the header and its rule


def ticked(cell):
    return re.findall(r"`([^`]+)`", cell)


def walk():
    """Every file of the tree, relative to TOP, past builds, caches and the
    packages npm installs (git ignores them; what the page takes from them
    is named in the build files)."""
    for root, dirs, files in os.walk(TOP):
        dirs[:] = [d for d in dirs if d not in ("build", ".git", "__pycache__", "node_modules")]
        for name in files:
            yield (Path(root) / name).relative_to(TOP)


def tree_files():
    """Files under the asset folders and any vendored folder."""
    return sorted(f.as_posix() for f in walk()
                  if f.parts[0] in ASSET_DIRS or VENDOR_NAMES & set(f.parts[:-1]))


def external_assets():
    """Data files that the build files take from the machine, by absolute
    path or by a font's or web asset's own name, each with the build files
    that name it. Names of files in the tree are left out."""
    ours = {f.name for f in walk()}
    found = {}
    for f in walk():
        if any(fnmatch.fnmatchcase(f.name, p) for p in BUILD_FILES):
            text = (TOP / f).read_text(encoding="utf-8", errors="replace")
            for m in DATA_FILE.findall(text) + DATA_NAME.findall(text):
                if Path(m).name not in ours:
                    found.setdefault(m, set()).add(f.as_posix())
    return found


def dep5_paragraphs(path):
    text = path.read_text(encoding="utf-8")
    paras = []
    for block in re.split(r"\n\s*\n", text.strip()):
        fields, key = {}, None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and key:
                fields[key] += "\n" + line.strip()
            else:
                key, _, value = line.partition(":")
                fields[key] = value.strip()
        paras.append(fields)
    return paras


class ThirdPartyListTest(unittest.TestCase):
    def test_every_shipped_or_vendored_file_is_listed_and_no_row_is_stale(self):
        patterns = [g for row in table("Files in this tree that are not code") for g in ticked(row[0])]
        self.assertTrue(patterns)
        files = tree_files()
        unlisted = [f for f in files if not any(fnmatch.fnmatchcase(f, g) for g in patterns)]
        self.assertEqual(unlisted, [], "add these to THIRD-PARTY.md")
        wildcards = [g for g in patterns if set(g) & set("*?[") and not g.startswith(("licenses/", "docs/"))]
        self.assertEqual(wildcards, [], "name each shipped or vendored file by itself")
        stale = [g for g in patterns if not any(TOP.glob(g))]
        self.assertEqual(stale, [], "THIRD-PARTY.md names files that are not there")

    def test_assets_taken_from_the_machine_are_listed(self):
        pieces = "\n".join(" ".join(row[:2]) for row in table("Third-party pieces"))
        assets = external_assets()
        # The scan sees the dialog font in both its forms.
        self.assertLessEqual({"ms_sans_serif.ttf", "sserife.fon"}, {Path(a).name for a in assets})
        unlisted = {a: where for a, where in assets.items() if Path(a).name not in pieces}
        self.assertEqual(unlisted, {}, "add these to THIRD-PARTY.md")

    def test_licence_texts_exist_and_each_is_named(self):
        named = {t for row in table("Third-party pieces") for t in ticked(row[4])}
        self.assertTrue(named)
        missing = sorted(t for t in named if not (TOP / t).is_file())
        self.assertEqual(missing, [])
        unnamed = sorted(p.relative_to(TOP).as_posix() for p in (TOP / "licenses").iterdir()
                         if p.relative_to(TOP).as_posix() not in named)
        self.assertEqual(unnamed, [], "licence texts that THIRD-PARTY.md does not name")


class WindowsZipTest(unittest.TestCase):
    def setUp(self):
        out = subprocess.run(["bash", str(TOP / "tools/package-windows.sh"), "--list"],
                             check=True, capture_output=True, text=True).stdout
        self.entries = dict(line.split() for line in out.splitlines())

    def test_zip_holds_the_program_its_licence_and_every_text_of_what_is_inside(self):
        self.assertEqual(self.entries.get("build/windows/Vornak1.exe"), "Vornak1.exe")
        self.assertIn("LICENSE", self.entries)
        inside = [row for row in table("Third-party pieces") if "`Vornak1.exe`" in row[2]]
        self.assertGreaterEqual(len(inside), 4)
        missing = sorted({t for row in inside for t in ticked(row[4])} - set(self.entries))
        self.assertEqual(missing, [], "licence texts of pieces inside Vornak1.exe left out of the zip")

    def test_names_are_short_and_notices_name_every_text(self):
        notices = (TOP / "resources/windows/NOTICES.TXT").read_text(encoding="utf-8")
        for src, name in self.entries.items():
            with self.subTest(name):
                stem, _, ext = name.partition(".")
                self.assertTrue(len(stem) <= 8 and len(ext) <= 3, "not an 8.3 name")
                if not src.startswith("build/"):
                    self.assertTrue((TOP / src).is_file())
                self.assertIn(name, notices)


class DebianCopyrightTest(unittest.TestCase):
    def setUp(self):
        self.paras = dep5_paragraphs(TOP / "resources/linux/copyright")

    def test_every_licence_used_has_its_text_and_every_text_is_used(self):
        files = [p for p in self.paras if "Files" in p]
        texts = {p["License"].split("\n")[0]: p["License"] for p in self.paras
                 if "License" in p and "Files" not in p}
        used = set()
        for p in files:
            self.assertIn("Copyright", p, p["Files"])
            used |= set(re.split(r" and | or ", p["License"].split("\n")[0]))
        self.assertEqual(used, set(texts))
        for name, text in texts.items():
            with self.subTest(name):
                self.assertGreater(len(text.splitlines()), 2, "a licence paragraph without its text")
                for ref in re.findall(r"/usr/share/common-licenses/[\w.+-]+", text):
                    self.assertTrue(Path(ref).is_file(), ref)

    def test_what_the_linux_program_embeds_has_a_stanza_of_its_own(self):
        embedding = (TOP / EMBEDDING).read_text(encoding="utf-8")
        stanzas = [p for p in self.paras if "Files" in p and p["Files"] != "*"]
        patterns = [g for p in stanzas for g in p["Files"].split()]
        # Of the dialog face's two forms the Linux program carries the
        # TrueType one; the bitmap .fon is the Windows program's.
        external = [Path(a).name for a, where in external_assets().items()
                    if EMBEDDING in where and not a.endswith(".fon")]
        self.assertIn("ms_sans_serif.ttf", external)
        for asset in external:
            with self.subTest(asset):
                self.assertTrue(any(fnmatch.fnmatchcase(asset, g.split("/")[-1]) for g in patterns))
        # Pictures whose lettering comes from the DejaVu fonts carry its licence too.
        lettered = [g for row in table("Files in this tree that are not code")
                    if "Bitstream" in row[3] for g in ticked(row[0])]
        self.assertTrue(lettered)
        for picture in lettered:
            with self.subTest(picture):
                self.assertIn(picture.split("/")[-1].rsplit(".", 1)[0], embedding)
                matching = [p for p in self.paras if "Files" in p
                            and any(fnmatch.fnmatchcase(picture, g) for g in p["Files"].split())]
                self.assertIn("bitstream-vera", matching[-1]["License"])


if __name__ == "__main__":
    unittest.main()
