#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The SCORM packages as a learning platform takes them in:

    scorm_packages.py BRIMWOLD.html VERSION

Each package, brimwold-scorm12.zip and brimwold-scorm2004.zip beside the page,
passes `zip -T`, holds exactly imsmanifest.xml and brimwold.html, the page byte
for byte as built, and a well-formed manifest of its SCORM version: one SCO named
Brimwold, of this version, with a description, that names the page, and no
mastery score.
"""

import os
import subprocess
import sys
import xml.etree.ElementTree as ET
import zipfile

PACKAGES = [
    # file, the manifest's name space, its schema version, how a resource names its SCO type
    ("brimwold-scorm12.zip", "http://www.imsproject.org/xsd/imscp_rootv1p1p2", "1.2",
     "{http://www.adlnet.org/xsd/adlcp_rootv1p2}scormtype"),
    ("brimwold-scorm2004.zip", "http://www.imsglobal.org/xsd/imscp_v1p1", "2004 4th Edition",
     "{http://www.adlnet.org/xsd/adlcp_v1p3}scormType"),
]


def check(package, space, schema_version, sco_type, html, version):
    subprocess.run(["zip", "-T", package], check=True, stdout=subprocess.DEVNULL)
    with zipfile.ZipFile(package) as opened:
        assert sorted(opened.namelist()) == ["brimwold.html", "imsmanifest.xml"], opened.namelist()
        with open(html, "rb") as page:
            assert opened.read("brimwold.html") == page.read(), "the page inside differs from brimwold.html"
        manifest = opened.read("imsmanifest.xml")
    root = ET.fromstring(manifest)
    named = lambda path: root.findall(path.replace("cp:", "{" + space + "}"))
    assert root.tag == "{" + space + "}manifest" and root.get("version") == version, (root.tag, root.get("version"))
    assert [e.text for e in named("cp:metadata/cp:schemaversion")] == [schema_version]
    assert [e.text for e in named("cp:organizations/cp:organization/cp:title")] == ["Brimwold"]
    texts = [e.text or "" for e in root.iter()]
    assert any(text.startswith("Brimwold is a teaching game") for text in texts), "no description"
    assert version in texts, "the version is not in the metadata"
    resources = named("cp:resources/cp:resource")
    assert [(r.get("href"), r.get(sco_type), [f.get("href") for f in r]) for r in resources] == [
        ("brimwold.html", "sco", ["brimwold.html"])]
    item = named("cp:organizations/cp:organization/cp:item")
    assert [i.get("identifierref") for i in item] == [resources[0].get("identifier")]
    assert b"masteryscore" not in manifest.lower() and b"minnormalizedmeasure" not in manifest.lower()


def main():
    html, version = sys.argv[1:3]
    for package, *form in PACKAGES:
        check(os.path.join(os.path.dirname(html), package), *form, html, version)
        print(f"{package}: a well-formed manifest for SCORM {form[1]}, naming brimwold.html, the same bytes inside")


if __name__ == "__main__":
    main()
