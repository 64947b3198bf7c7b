#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the browser edition as a SCORM package for learning platforms.

Usage: scorm.py 1.2|2004 OUT.zip BRIMWOLD.html --version V --designs DESIGNS.json

The package holds imsmanifest.xml, for one SCO with the game's title, version and
description (the about box's, from the windows' designs) and no mastery score (the game reports passed or failed itself), and
brimwold.html as it is. Its entries carry a fixed date, so the same files always
give the same bytes.
"""

import argparse
import json
import zipfile
from xml.sax.saxutils import escape, quoteattr

HTML = "brimwold.html"

# What differs between the versions: the manifest's name spaces, the metadata's
# schema version and form, and how the resource says it is a SCO.
VERSIONS = {
    "1.2": {
        "spaces": 'xmlns="http://www.imsproject.org/xsd/imscp_rootv1p1p2" '
                  'xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_rootv1p2" '
                  'xmlns:imsmd="http://www.imsglobal.org/xsd/imsmd_rootv1p2p1"',
        "schemaversion": "1.2",
        "lom": """    <imsmd:lom>
      <imsmd:general>
        <imsmd:title><imsmd:langstring xml:lang="en">{title}</imsmd:langstring></imsmd:title>
        <imsmd:description><imsmd:langstring xml:lang="en">{description}</imsmd:langstring></imsmd:description>
      </imsmd:general>
      <imsmd:lifecycle>
        <imsmd:version><imsmd:langstring xml:lang="x-none">{version}</imsmd:langstring></imsmd:version>
      </imsmd:lifecycle>
    </imsmd:lom>""",
        "sco": 'adlcp:scormtype="sco"',
    },
    "2004": {
        "spaces": 'xmlns="http://www.imsglobal.org/xsd/imscp_v1p1" '
                  'xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_v1p3" '
                  'xmlns:lom="http://ltsc.ieee.org/xsd/LOM"',
        "schemaversion": "2004 4th Edition",
        "lom": """    <lom:lom>
      <lom:general>
        <lom:title><lom:string language="en">{title}</lom:string></lom:title>
        <lom:description><lom:string language="en">{description}</lom:string></lom:description>
      </lom:general>
      <lom:lifeCycle>
        <lom:version><lom:string language="x-none">{version}</lom:string></lom:version>
      </lom:lifeCycle>
    </lom:lom>""",
        "sco": 'adlcp:scormType="sco"',
    },
}

MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier="org.brimwold.Brimwold" version={version_attribute} {spaces}>
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>{schemaversion}</schemaversion>
{lom}
  </metadata>
  <organizations default="brimwold">
    <organization identifier="brimwold">
      <title>{title}</title>
      <item identifier="game" identifierref="page">
        <title>{title}</title>
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="page" type="webcontent" {sco} href="{html}">
      <file href="{html}"/>
    </resource>
  </resources>
</manifest>
"""

DATE = (2026, 1, 1, 0, 0, 0)


def manifest(version, number, description):
    form = VERSIONS[version]
    lom = form["lom"].format(title="Brimwold", description=escape(description), version=escape(number))
    return MANIFEST.format(version_attribute=quoteattr(number), spaces=form["spaces"],
                           schemaversion=form["schemaversion"], lom=lom, title="Brimwold", sco=form["sco"], html=HTML)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("scorm", choices=sorted(VERSIONS))
    parser.add_argument("out")
    parser.add_argument("html")
    parser.add_argument("--version", required=True)
    parser.add_argument("--designs", required=True)
    args = parser.parse_args()
    with open(args.designs) as f:
        about = json.load(f)["frmAbout"]["controls"]
    description = next(control["text"] for control in about if control["name"] == "lblDescription")
    with open(args.html, "rb") as f:
        page = f.read()
    with zipfile.ZipFile(args.out, "w", zipfile.ZIP_DEFLATED) as package:
        for name, data in (("imsmanifest.xml", manifest(args.scorm, args.version, description).encode()),
                           (HTML, page)):
            entry = zipfile.ZipInfo(name, DATE)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            package.writestr(entry, data)


if __name__ == "__main__":
    main()
