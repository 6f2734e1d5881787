"""A local SMTP server for the alert mail test (aiosmtpd): STARTTLS with the test certificate
(or none with "plain"), log-in required as alerts / s3cret-pw. Writes "ready" when it listens,
then each mail's recipients, text part, attachments and raw bytes into the folder; ends on the
file "stop" or after a minute."""
import email
import email.policy
import os
import ssl
import sys
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult

port, cert, key, folder, mode = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]


def write(name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data if isinstance(data, bytes) else data.encode())


class Handler:
    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        write("raw.eml", envelope.content)
        write("rcpt.txt", "\n".join(envelope.rcpt_tos))
        write("subject.txt", str(message["subject"]))
        write("tls.txt", "yes" if session.ssl else "no")
        for part in message.iter_attachments():
            write("attached-" + part.get_filename(), part.get_content())
        write("text.txt", message.get_body(("plain",)).get_content())
        return "250 OK"


def authenticate(server, session, envelope, mechanism, auth_data):
    return AuthResult(success=auth_data.login == b"alerts" and auth_data.password == b"s3cret-pw")


context = None
if mode == "starttls":
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
controller = Controller(Handler(), hostname="127.0.0.1", port=port, tls_context=context,
                        require_starttls=context is not None, authenticator=authenticate,
                        auth_required=True, auth_require_tls=context is not None)
controller.start()
write("ready", "")
deadline = time.monotonic() + 60
while time.monotonic() < deadline and not os.path.exists(os.path.join(folder, "stop")):
    time.sleep(0.05)
controller.stop()
