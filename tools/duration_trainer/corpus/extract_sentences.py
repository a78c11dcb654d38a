"""Chooses corpus sentences for the duration trainer from the installed manual-page
translations (Debian manpages-es, manpages-pl, manpages-tr; GPL-3.0-or-later).

    python3 extract_sentences.py es|pl|tr > tools/duration_trainer/corpus/<lang>.txt
"""
import sys, os, re, subprocess, random
lang = sys.argv[1]
letters = {"es": "a-záéíóúüñ", "pl": "a-ząćęłńóśźż", "tr": "a-zçğıöşüîâû"}[lang]
word = re.compile(r"^[" + letters + r"]+$", re.I)
seen = set(); out = []
root = f"/usr/share/man/{lang}"
files = []
for d, _, fs in os.walk(root):
    for f in fs: files.append(os.path.join(d, f))
files.sort()
for path in files:
    try:
        txt = subprocess.run(["man", "-l", path], capture_output=True, text=True, env={"MANWIDTH": "2000", "LANG": "C.UTF-8", "MAN_KEEP_FORMATTING": "0", "PATH": "/usr/bin:/bin"}, timeout=20).stdout
    except Exception:
        continue
    txt = re.sub(r".\x08", "", txt)
    for para in re.split(r"\n\s*\n", txt):
        para = " ".join(para.split())
        for s in re.split(r"(?<=[.!?])\s+", para):
            if not s or s[-1] not in ".?" or not s[0].isupper(): continue
            body = s[:-1]
            toks = body.replace(",", " ,").split()
            ws = [t for t in toks if t != ","]
            if not (5 <= len(ws) <= 18): continue
            if not all(t == "," or word.match(t) for t in toks): continue
            if any(t.isupper() and len(t) > 1 for t in ws): continue
            if any(t[0].isupper() for t in ws[1:]): continue
            key = s.lower()
            if key in seen: continue
            seen.add(key); out.append(s)
random.seed(7)
random.shuffle(out)
out = out[:700]
# untranslated English passages
english = {"the", "is", "are", "will", "be", "this", "with", "and", "which", "from", "of", "an", "that", "it",
           "not", "for", "when", "you", "can", "by"}
out = [s for s in out if not (set(w.lower() for w in re.findall(r"\w+", s)) & english)]
print(len(out), file=sys.stderr)
sys.stdout.write("\n".join(out[:600]) + "\n")
