#!/usr/bin/env python3
"""Writes a deterministic Maildir++ tree for the whole-command benchmarks.

    bench/generate_maildir.py --messages 10000 OUT

The same arguments always give the same files (names, contents, flags, mtimes). The mix:
plain text, multipart/alternative with HTML, HTML only, attachments, RFC 2047 encoded
subjects and names, several folders (one with a modified-UTF-7 name) and Maildir flags.
About 90 % of the messages go to INBOX, the rest to the other folders.
"""
import argparse
import base64
import email.header
import os
import random

FOLDERS = [".Archive", ".Projects", ".Entw&APw-rfe", ".Lists.Rust"]
NAMES = ["Ada Lovelace", "Charles Babbage", "Grace Hopper", "Kenji Mori", "Tomás Silva",
         "Zoë Ångström", "Ренат Иванов", "李小龍", "Alan Turing", "Edsger Dijkstra"]
DOMAINS = ["example.org", "mail.example.com", "lists.example.net"]
WORDS = ("budget meeting release review lunch draft invoice report schedule update notes "
         "engine figures committee plan question answer patch build travel photos").split()
ACCENTED = ["Grüße aus München", "Café à Paris", "Привет из Москвы", "東京からこんにちは",
            "Smörgåsbord menu"]


def encoded(text):
    return email.header.Header(text, "utf-8").encode()


def address(rng, name):
    local = name.split()[0].lower().encode("ascii", "ignore").decode() or "user"
    pretty = encoded(name) if any(ord(c) > 127 for c in name) else f'"{name}"'
    return f"{pretty} <{local}{rng.randint(1, 99)}@{rng.choice(DOMAINS)}>"


def sentence(rng, words):
    return " ".join(rng.choice(WORDS) for _ in range(words)).capitalize() + "."


def body_text(rng):
    return "\n\n".join(" ".join(sentence(rng, rng.randint(5, 14)) for _ in range(3))
                       for _ in range(rng.randint(1, 4)))


def message(rng, index, date):
    subject = (rng.choice(ACCENTED) + f" #{index}") if rng.random() < 0.25 else \
        sentence(rng, rng.randint(2, 7))[:-1] + f" #{index}"
    subject_header = encoded(subject) if any(ord(c) > 127 for c in subject) else subject
    headers = [
        f"From: {address(rng, rng.choice(NAMES))}",
        f"To: {address(rng, 'Sam Doe')}",
        f"Subject: {subject_header}",
        "Date: " + date,
        f"Message-ID: <{index}.{rng.randint(0, 10**9)}@bench.example>",
        "MIME-Version: 1.0",
    ]
    if rng.random() < 0.3:
        headers.insert(2, f"Cc: {address(rng, rng.choice(NAMES))}, {address(rng, rng.choice(NAMES))}")
    text = body_text(rng)
    html = "<html><body>" + "".join(f"<p>{p}</p>" for p in text.split("\n\n")) + \
        "<table><tr><td>cell</td></tr></table></body></html>"
    kind = rng.random()
    if kind < 0.45:
        headers.append("Content-Type: text/plain; charset=utf-8")
        headers.append("Content-Transfer-Encoding: 8bit")
        return "\n".join(headers) + "\n\n" + text + "\n"
    if kind < 0.6:
        headers.append("Content-Type: text/html; charset=utf-8")
        return "\n".join(headers) + "\n\n" + html + "\n"
    boundary = f"b{index}x"
    parts = [f"Content-Type: text/plain; charset=utf-8\n\n{text}\n",
             f"Content-Type: text/html; charset=utf-8\n\n{html}\n"]
    if kind < 0.85:
        headers.append(f'Content-Type: multipart/alternative; boundary="{boundary}"')
    else:
        headers.append(f'Content-Type: multipart/mixed; boundary="{boundary}"')
        blob = base64.encodebytes(rng.randbytes(rng.randint(2000, 20000))).decode()
        parts = [parts[0], "Content-Type: application/octet-stream; name=\"data.bin\"\n"
                 "Content-Disposition: attachment; filename=\"data.bin\"\n"
                 "Content-Transfer-Encoding: base64\n\n" + blob]
    return "\n".join(headers) + "\n\n" + "".join(f"--{boundary}\n{p}" for p in parts) + \
        f"--{boundary}--\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--messages", type=int, default=1000, help="how many messages in all")
    parser.add_argument("--seed", type=int, default=12, help="the random seed")
    parser.add_argument("out", help="the Maildir root to write (must not exist)")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.out)
    folders = [args.out] + [os.path.join(args.out, f) for f in FOLDERS]
    for folder in folders:
        for sub in ("cur", "new", "tmp"):
            os.makedirs(os.path.join(folder, sub))
    start = 1_700_000_000
    days = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
    months = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
    import time
    for index in range(args.messages):
        stamp = start + index * 600 + rng.randint(0, 599)
        t = time.gmtime(stamp)
        date = f"{days[t.tm_wday]}, {t.tm_mday:02d} {months[t.tm_mon - 1]} {t.tm_year} " \
               f"{t.tm_hour:02d}:{t.tm_min:02d}:{t.tm_sec:02d} +0000"
        folder = folders[0] if rng.random() < 0.9 else rng.choice(folders[1:])
        unique = f"{stamp}.M{index}P{1000 + index % 9000}.bench"
        roll = rng.random()
        if roll < 0.05:
            path = os.path.join(folder, "new", unique)
        else:
            flags = "S" if roll < 0.75 else ""
            if rng.random() < 0.08:
                flags = "F" + flags
            path = os.path.join(folder, "cur", f"{unique}:2,{''.join(sorted(flags))}")
        with open(path, "w", encoding="utf-8") as out:
            out.write(message(rng, index, date))
        os.utime(path, (stamp, stamp))


if __name__ == "__main__":
    main()
