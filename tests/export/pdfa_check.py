#!/usr/bin/env python3
"""The rules of PDF/A-2u and PDF/UA-1 that Zettelino's PDF writer touches,
checked on a file read through `qpdf --json`. No validator for either
format runs on these machines; this one checks what our writer could get
wrong, not the whole standards.

  pdfa_check.py [--no-claim] FILE...

Every failed rule is printed as "FILE: rule: detail"; the exit status is 1
when any failed. --no-claim: the file must be tagged but claim neither
format (a document whose fonts could not all be embedded).
"""

import base64
import json
import re
import subprocess
import sys
import xml.etree.ElementTree as ET
from datetime import datetime, timedelta, timezone

NS = {
    "x": "adobe:ns:meta/",
    "rdf": "http://www.w3.org/1999/02/22-rdf-syntax-ns#",
    "dc": "http://purl.org/dc/elements/1.1/",
    "xmp": "http://ns.adobe.com/xap/1.0/",
    "pdf": "http://ns.adobe.com/pdf/1.3/",
    "pdfaid": "http://www.aiim.org/pdfa/ns/id/",
    "pdfuaid": "http://www.aiim.org/pdfua/ns/id/",
    "pdfaSchema": "http://www.aiim.org/pdfa/ns/schema#",
}


class Doc:
    def __init__(self, path):
        out = subprocess.run(["qpdf", "--json", "--json-stream-data=inline", "--decode-level=generalized", path],
                             capture_output=True, check=False)
        if out.returncode not in (0, 3):
            raise RuntimeError("qpdf --json failed: " + out.stderr.decode(errors="replace"))
        data = json.loads(out.stdout)
        self.objects = data["qpdf"][1]
        self.trailer = self.objects["trailer"]["value"]
        with open(path, "rb") as f:
            self.head = f.read(64)

    def get(self, value):
        """An object's value (a stream: its dictionary), references followed."""
        while isinstance(value, str) and re.fullmatch(r"\d+ \d+ R", value):
            obj = self.objects.get("obj:" + value, {})
            value = obj["value"] if "value" in obj else obj.get("stream", {}).get("dict")
        return value

    def stream(self, ref):
        obj = self.objects.get("obj:" + ref, {})
        s = obj.get("stream")
        if s is None:
            return None, None
        return s.get("dict", {}), base64.b64decode(s.get("data", ""))


def text(value):
    """A string of the JSON form ("u:..." or "b:hex") as text."""
    if not isinstance(value, str):
        return None
    if value.startswith("u:"):
        return value[2:]
    if value.startswith("b:"):
        raw = bytes.fromhex(value[2:])
        if raw.startswith(b"\xfe\xff"):
            return raw[2:].decode("utf-16-be")
        return raw.decode("latin-1")
    return value


def pdf_date(value):
    m = re.fullmatch(r"D:(\d{4})(\d\d)(\d\d)(\d\d)(\d\d)(\d\d)(Z|([+-])(\d\d)'(\d\d)'?)?", value or "")
    if not m:
        return None
    tz = timezone.utc
    if m.group(8):
        delta = timedelta(hours=int(m.group(9)), minutes=int(m.group(10)))
        tz = timezone(delta if m.group(8) == "+" else -delta)
    return datetime(*(int(m.group(i)) for i in range(1, 7)), tzinfo=tz)


def xmp_date(value):
    try:
        return datetime.fromisoformat((value or "").replace("Z", "+00:00"))
    except ValueError:
        return None


# --- content streams ------------------------------------------------------

TOKEN = re.compile(rb"\s*(?:(%[^\r\n]*)|(\()|(<<|>>|\[|\]|\{|\})|(<[0-9A-Fa-f\s]*>)|(/[^\s/\[\]()<>{}%]*)|"
                   rb"([+-]?(?:\d+\.?\d*|\.\d+))|([^\s/\[\]()<>{}%]+))")


def tokens(data):
    """The operators of a content stream with their operands' text."""
    i, n, operands = 0, len(data), []
    while i < n:
        m = TOKEN.match(data, i)
        if not m or m.end() == i:
            if data[i:].strip() == b"":
                return
            raise ValueError("unreadable content at byte %d" % i)
        i = m.end()
        if m.group(1):
            continue
        if m.group(2):  # a literal string, nested parentheses and escapes
            depth, j = 1, i
            while j < n and depth:
                c = data[j:j + 1]
                if c == b"\\":
                    j += 2
                    continue
                depth += {b"(": 1, b")": -1}.get(c, 0)
                j += 1
            operands.append(data[i - 1:j])
            i = j
            continue
        word = m.group(7)
        if word is None:
            operands.append(m.group(0).strip())
            continue
        if word == b"ID":  # inline image data up to EI
            end = re.compile(rb"\sEI(?=\s|$)").search(data, i)
            if not end:
                raise ValueError("inline image without EI")
            yield b"ID", operands
            operands = []
            i = end.end()
            yield b"EI", []
            continue
        yield word, operands
        operands = []


PAINT = {b"Tj", b"TJ", b"'", b'"', b"S", b"s", b"f", b"F", b"f*", b"B", b"B*", b"b", b"b*", b"sh", b"Do", b"EI"}


def check_content(doc, page_no, page, problems, parent_tree):
    contents = page.get("/Contents")
    refs = contents if isinstance(contents, list) else [contents]
    data = b""
    for ref in refs:
        d, body = doc.stream(ref)
        if body is None:
            problems.append(("content", "page %d has no content stream" % page_no))
            return
        data += body + b"\n"
    key = page.get("/StructParents")
    if not isinstance(key, int):
        problems.append(("tagged", "page %d has no /StructParents" % page_no))
        return
    marked = parent_tree.get(key, [])
    stack, mcids, inline = [], set(), False
    try:
        for op, args in tokens(data):
            if op in (b"BDC", b"BMC"):
                tag = args[0] if args else b""
                mcid = None
                if op == b"BDC" and len(args) > 1:
                    m = re.search(rb"/MCID\s+(\d+)", b" ".join(args[1:]))
                    mcid = int(m.group(1)) if m else None
                if tag != b"/Artifact" and mcid is None and not any(s[0] for s in stack):
                    problems.append(("tagged", "page %d: marked content %s without MCID" % (page_no, tag.decode())))
                if mcid is not None:
                    if mcid in mcids:
                        problems.append(("tagged", "page %d: MCID %d used twice" % (page_no, mcid)))
                    mcids.add(mcid)
                    if mcid >= len(marked) or doc.get(marked[mcid]) is None:
                        problems.append(("tagged", "page %d: MCID %d not in the parent tree" % (page_no, mcid)))
                stack.append((tag == b"/Artifact" or mcid is not None, tag))
            elif op == b"EMC":
                if not stack:
                    problems.append(("tagged", "page %d: EMC without BDC" % page_no))
                else:
                    stack.pop()
            elif op == b"BI":
                inline = True
            elif op == b"ID":
                joined = b" ".join(args)
                if b"SMask" in joined:
                    problems.append(("transparency", "page %d: an inline image with a soft mask" % page_no))
                if b"LZW" in joined:
                    problems.append(("filters", "page %d: an inline image compressed with LZW" % page_no))
            elif op in PAINT:
                if op == b"EI":
                    inline = False
                if not any(s[0] for s in stack):
                    problems.append(("tagged", "page %d: %s outside tagged content and artifacts" %
                                     (page_no, op.decode())))
            elif op == b"gs":
                pass
        if stack:
            problems.append(("tagged", "page %d: %d marked-content sequences left open" % (page_no, len(stack))))
        if inline:
            problems.append(("content", "page %d: an inline image left open" % page_no))
    except ValueError as e:
        problems.append(("content", "page %d: %s" % (page_no, e)))


# --- the document -----------------------------------------------------------

def check(path, claim=True):
    problems = []
    doc = Doc(path)

    m = re.match(rb"%PDF-(\d)\.(\d)\r?\n%(....)", doc.head, re.S)
    if not m or (int(m.group(1)), int(m.group(2))) < (1, 4):
        problems.append(("header", "not PDF 1.4 or later: %r" % doc.head[:8]))
    elif not all(b > 127 for b in m.group(3)):
        problems.append(("header", "the second line's first four bytes are not all above 127"))
    if "/Encrypt" in doc.trailer:
        problems.append(("encryption", "the document is encrypted"))
    ids = doc.trailer.get("/ID")
    if not (isinstance(ids, list) and len(ids) == 2 and all(ids)):
        problems.append(("identifier", "the trailer has no /ID of two strings"))

    catalog = doc.get(doc.trailer.get("/Root")) or {}
    info = doc.get(doc.trailer.get("/Info")) or {}
    lang = text(catalog.get("/Lang"))
    if not lang:
        problems.append(("language", "the catalog has no /Lang"))
    if (catalog.get("/MarkInfo") or {}).get("/Marked") is not True:
        problems.append(("tagged", "/MarkInfo << /Marked true >> is missing"))
    if (doc.get(catalog.get("/ViewerPreferences")) or {}).get("/DisplayDocTitle") is not True:
        problems.append(("title", "/ViewerPreferences /DisplayDocTitle is not true"))
    for bad in ("/OpenAction", "/AA", "/Names"):
        names = doc.get(catalog.get(bad))
        if bad == "/Names" and isinstance(names, dict) and ("/EmbeddedFiles" in names or "/JavaScript" in names):
            problems.append(("external", "embedded files or JavaScript in the name tree"))
        elif bad != "/Names" and names is not None:
            problems.append(("external", "the catalog has %s" % bad))

    # Metadata equal to the document information.
    meta_ref = catalog.get("/Metadata")
    meta_dict, meta = doc.stream(meta_ref) if isinstance(meta_ref, str) else (None, None)
    if meta is None or meta_dict.get("/Subtype") != "/XML" or meta_dict.get("/Type") != "/Metadata":
        problems.append(("metadata", "no XMP metadata stream on the catalog"))
    else:
        try:
            root = ET.fromstring(meta.decode("utf-8").split("?>", 1)[1].rsplit("<?xpacket", 1)[0])
        except (ET.ParseError, UnicodeDecodeError, IndexError) as e:
            problems.append(("metadata", "the XMP does not parse: %s" % e))
            root = None
        if root is not None:
            def prop(name, many=False):
                values = []
                for desc in root.iter("{%s}Description" % NS["rdf"]):
                    for el in desc.findall(name, NS):
                        items = el.findall(".//rdf:li", NS)
                        values += [i.text or "" for i in items] if items else [el.text or ""]
                return values if many else (values[0] if values else None)
            pairs = [("dc:title", "/Title"), ("dc:description", "/Subject"), ("xmp:CreatorTool", "/Creator"),
                     ("pdf:Producer", "/Producer"), ("pdf:Keywords", "/Keywords")]
            for xmp_name, key in pairs:
                if (prop(xmp_name) or "") != (text(info.get(key)) or ""):
                    problems.append(("metadata", "%s %r differs from %s %r" %
                                     (xmp_name, prop(xmp_name), key, text(info.get(key)))))
            creators = prop("dc:creator", many=True)
            if (creators[0] if creators else "") != (text(info.get("/Author")) or ""):
                problems.append(("metadata", "dc:creator %r differs from /Author %r" % (creators, info.get("/Author"))))
            for xmp_name, key in (("xmp:CreateDate", "/CreationDate"), ("xmp:ModifyDate", "/ModDate")):
                a, b = xmp_date(prop(xmp_name)), pdf_date(text(info.get(key)))
                if (a is None) != (b is None) or (a and b and a != b):
                    problems.append(("metadata", "%s %r is not the instant of %s %r" %
                                     (xmp_name, prop(xmp_name), key, text(info.get(key)))))
            if not prop("dc:title"):
                problems.append(("title", "dc:title is empty"))
            ids = (prop("pdfaid:part"), prop("pdfaid:conformance"), prop("pdfuaid:part"))
            if claim and ids != ("2", "U", "1"):
                problems.append(("identification", "pdfaid part/conformance and pdfuaid part are %r" % (ids,)))
            prefixes = [el.text for el in root.iter("{%s}prefix" % NS["pdfaSchema"])]
            if claim and "pdfuaid" not in prefixes:
                problems.append(("identification", "no extension schema describes pdfuaid"))
            if not claim and any(ids):
                problems.append(("identification", "claims %r though it must not" % (ids,)))

    # An sRGB output intent with its ICC profile.
    intents = doc.get(catalog.get("/OutputIntents")) or []
    intent = next((doc.get(i) for i in intents if (doc.get(i) or {}).get("/S") == "/GTS_PDFA1"), None)
    if intent is None:
        problems.append(("output intent", "no GTS_PDFA1 output intent"))
    else:
        d, icc = doc.stream(intent.get("/DestOutputProfile") or "")
        if icc is None or len(icc) < 128 or icc[36:40] != b"acsp" or icc[16:20] != b"RGB " or d.get("/N") != 3:
            problems.append(("output intent", "the output intent's profile is not an RGB ICC profile"))

    # Every font embedded with a Unicode map; no transparency, no LZW, nothing external.
    for key, obj in doc.objects.items():
        if not key.startswith("obj:"):
            continue
        value = obj.get("value") if "value" in obj else obj.get("stream", {}).get("dict")
        if not isinstance(value, dict):
            continue
        if value.get("/Type") == "/Font" and value.get("/Subtype") not in ("/CIDFontType0", "/CIDFontType2"):
            name = value.get("/BaseFont")
            if "/ToUnicode" not in value:
                problems.append(("fonts", "%s has no ToUnicode map" % name))
            fonts = [value]
            if value.get("/Subtype") == "/Type0":
                fonts = [doc.get(f) or {} for f in doc.get(value.get("/DescendantFonts")) or []]
            for f in fonts:
                fd = doc.get(f.get("/FontDescriptor")) or {}
                if not any(k in fd for k in ("/FontFile", "/FontFile2", "/FontFile3")):
                    problems.append(("fonts", "%s is not embedded" % name))
        if value.get("/SMask") not in (None, "/None") or value.get("/Group", {}) and \
                (doc.get(value.get("/Group")) or {}).get("/S") == "/Transparency":
            problems.append(("transparency", "%s has a soft mask or transparency group" % key))
        for ca in ("/CA", "/ca"):
            if isinstance(value.get(ca), (int, float)) and value[ca] < 1:
                problems.append(("transparency", "%s has %s %s" % (key, ca, value[ca])))
        if value.get("/BM") not in (None, "/Normal", "/Compatible"):
            problems.append(("transparency", "%s has blend mode %s" % (key, value.get("/BM"))))
        filters = value.get("/Filter")
        if "LZWDecode" in json.dumps(filters):
            problems.append(("filters", "%s is LZW-compressed" % key))
        if value.get("/S") in ("/Launch", "/JavaScript", "/ImportData") or "/F" in value and \
                value.get("/Type") == "/XObject":
            problems.append(("external", "%s refers to something outside the file" % key))

    # The structure tree and every page's content tagged or an artifact.
    tree = doc.get(catalog.get("/StructTreeRoot"))
    if not isinstance(tree, dict) or tree.get("/Type") != "/StructTreeRoot" or "/K" not in tree:
        problems.append(("tagged", "no structure tree"))
        return problems
    parent_tree = {}
    nums = (doc.get(tree.get("/ParentTree")) or {}).get("/Nums") or []
    for i in range(0, len(nums) - 1, 2):
        parent_tree[nums[i]] = doc.get(nums[i + 1]) or []
    pages = []

    def walk(node):
        node = doc.get(node) or {}
        if node.get("/Type") == "/Pages":
            for kid in node.get("/Kids", []):
                walk(kid)
        else:
            pages.append(node)
    walk(catalog.get("/Pages"))
    for n, page in enumerate(pages, 1):
        if (doc.get(page.get("/Group")) or {}).get("/S") == "/Transparency":
            problems.append(("transparency", "page %d has a transparency group" % n))
        check_content(doc, n, page, problems, parent_tree)
    return problems


def main(argv):
    claim = True
    if argv and argv[0] == "--no-claim":
        claim = False
        argv = argv[1:]
    if not argv:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    failed = False
    for path in argv:
        try:
            problems = check(path, claim)
        except (RuntimeError, OSError, json.JSONDecodeError) as e:
            problems = [("read", str(e))]
        for rule, detail in problems:
            print("%s: %s: %s" % (path, rule, detail))
        failed |= bool(problems)
        if not problems:
            print("%s: ok" % path)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
