"""Compares what our mail reader shows of each odd message with what Python's email package
extracts. Usage: odd_mail_reference.py CORPUS SHOWN, where SHOWN has one line per file:
"NAME not-a-message" or "NAME message SUBJECT FROM BODY ATTACHMENTS", each field "-" for none
or "=" and the hex of its UTF-8 text. Exits 1 and prints each difference when there are any."""

import email
import sys
from email import policy
from html.parser import HTMLParser
from pathlib import Path


class _TextOfHTML(HTMLParser):
    def __init__(self):
        super().__init__()
        self.text, self._skipping = [], 0

    def handle_starttag(self, tag, attrs):
        self._skipping += tag in ('script', 'style')

    def handle_endtag(self, tag):
        self._skipping -= tag in ('script', 'style') and self._skipping > 0

    def handle_data(self, data):
        if not self._skipping:
            self.text.append(data)


def folded(text):
    return None if text is None else ' '.join(text.split())


def senders(message):
    header = message['from']
    if header is None:
        return None
    addresses = [f'{a.username}@{a.domain}' if a.domain else a.username for a in header.addresses]
    return ', '.join(f'{a.display_name} <{bare}>' if a.display_name else bare
                     for a, bare in zip(header.addresses, addresses))


def body_text(message):
    part = message.get_body(('plain', 'html'))
    if part is None:
        return None
    text = part.get_content()
    if part.get_content_subtype() == 'html':
        parser = _TextOfHTML()
        parser.feed(text)
        text = ''.join(parser.text)
    return text


def attachments(message, body):
    found = []
    for part in message.walk():
        if part.is_multipart() or part is body or part is message and body is None:
            continue
        name = part.get_filename() or ''
        if part.get_content_disposition() == 'attachment' or name or part.get_content_maintype() != 'text':
            found.append(f'{name}|{part.get_content_type()}')
    return '\n'.join(found)


def python_view(path):
    message = email.message_from_bytes(path.read_bytes(), policy=policy.default)
    view = {}
    for key, read in (('subject', lambda: message['subject']), ('from', lambda: senders(message)),
                      ('body', lambda: body_text(message)),
                      ('attachments', lambda: attachments(message, message.get_body(('plain', 'html'))))):
        try:
            value = read()
            view[key] = None if value is None else str(value)
        except Exception as error:  # a fault of Python's reader, written down below if expected
            view[key] = f'Python fails: {error!r}'
    return view


def our_view(fields):
    if fields[0] == 'not-a-message':
        return NOT_A_MESSAGE
    values = [None if f == '-' else bytes.fromhex(f[1:]).decode('utf-8') for f in fields[1:]]
    return dict(zip(('subject', 'from', 'body', 'attachments'), values))


NOT_A_MESSAGE = 'not a message'

# Where we show something else than Python, what we show, and why.
UNLIKE_PYTHON = {
    # An empty file is no mail; Python makes an empty message of it.
    'empty.eml': NOT_A_MESSAGE,
    # Python gives up on the whole body and shows the base64 text; the decodable part reads.
    'bad-base64-body.eml': {'body': 'Hello from a broken encoder, ça '},
    # Python raises LookupError for a charset it does not know; the bytes read as Windows-1252.
    'charset-unknown-8bit.eml': {'body': 'Déjà vu, naïve café.'},
    # ...or as UTF-8 when they are.
    'charset-x-user-defined.eml': {'body': 'Smørrebrød på fredag.'},
    # Python decodes each word alone and leaves the halves of the character as surrogates.
    'encoded-word-split-character.eml': {'from': 'José García <jose@example.es>'},
    # Python believes the label and shows mojibake ("CafÃ©"); valid UTF-8 was written as UTF-8.
    'latin1-label-really-utf8.eml': {'body': 'Café crème à la gare.'},
    # Python finds no body part in a multipart without parts; its text is all there is.
    'multipart-no-boundary.eml': {
        'body': 'This text is all there is; the boundary parameter is missing.'},
    'multipart-preamble-only.eml': {
        'body': 'This message has only a preamble; no part ever starts.'},
    # Python keeps the NUL byte in the text; it is no character a reader shows.
    'nul-bytes.eml': {'body': 'Before the NULafter the NUL.'},
    # Python leaves raw Latin-1 bytes of a name as surrogates; they read as Latin-1.
    'raw-8bit-headers.eml': {'from': 'Zoë Müller <zoe@example.net>'},
}


def main(corpus, shown_file):
    failures = []
    for line in Path(shown_file).read_text(encoding='ascii').splitlines():
        name, *fields = line.split(' ')
        ours = our_view(fields)
        expected = python_view(Path(corpus) / name)
        unlike = UNLIKE_PYTHON.get(name, {})
        if unlike == NOT_A_MESSAGE or ours == NOT_A_MESSAGE:
            if ours != unlike:
                failures.append(f'{name}: we show {ours!r}, expected {unlike or expected!r}')
            continue
        expected.update(unlike)
        for key in ('subject', 'from', 'attachments'):
            if ours[key] != expected[key]:
                failures.append(f'{name} {key}: we show {ours[key]!r}, expected {expected[key]!r}')
        # Bodies compare as a reader sees them: blanks and line ends folded, no body as empty.
        if folded(ours['body'] or '') != folded(expected['body'] or ''):
            failures.append(f'{name} body: we show {folded(ours["body"] or "")[:300]!r}, '
                            f'expected {folded(expected["body"] or "")[:300]!r}')
    print('\n'.join(failures))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main(*sys.argv[1:])
