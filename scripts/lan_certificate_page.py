"""The page a phone on the local network opens first: this computer's certificate authority, and
how to install it, in the phone's language (English or Spanish).

A phone that trusts the authority trusts the tuner's https address without a warning, and only
then does its browser let the tuner install itself, work offline and offer new releases. A phone
that does not install it can still use the tuner after accepting the browser's warning, and the
page says plainly what that costs and where a copy that works offline comes from.
"""
import hashlib
import html
import ssl

PAGE_PATH = "/lan-certificate/"
CERTIFICATE_NAME = "strumwise-lan-ca.crt"

TEXTS = {
    "en": {
        "title": "Strumwise on this network",
        "intro": "Strumwise runs on this computer at {site}. Install the computer's certificate "
                 "on your phone once: the phone then trusts that address, and the tuner can be "
                 "added to the home screen, works with no network and offers each new release.",
        "download": "1. Download the certificate",
        "android": "Android: open Settings \u203a Security (or Security & privacy) \u203a More "
                   "security settings \u203a Encryption & credentials \u203a Install a certificate "
                   "\u203a CA certificate, and choose {file} from Downloads.",
        "apple": "iPhone and iPad: allow the download, open Settings \u203a Profile Downloaded "
                 "\u203a Install, then turn on full trust for \u201c{name}\u201d in Settings "
                 "\u203a General \u203a About \u203a Certificate Trust Settings.",
        "open": "2. Open the tuner",
        "fingerprint": "The certificate's SHA-256 fingerprint, which the phone shows and the "
                       "computer printed, so you can check that this is the one: {fingerprint}",
        "scope": "It vouches only for addresses of local networks (10.x.x.x, 172.16\u201331.x.x, "
                 "192.168.x.x and the like), so it cannot stand in for any other site. Delete it "
                 "where you installed it when you no longer need it.",
        "without": "Rather not install it? Open the tuner anyway and accept the browser's "
                   "warning: it listens and plays its tones, but cannot be installed or used "
                   "offline, and works only while this computer serves it. For a copy that "
                   "installs and works offline anywhere, put the site on an https web host "
                   "(the README says how).",
    },
    "es": {
        "title": "Strumwise en esta red",
        "intro": "Strumwise se sirve desde este ordenador en {site}. Instala una vez el "
                 "certificado del ordenador en el m\u00f3vil: el m\u00f3vil confiar\u00e1 en esa "
                 "direcci\u00f3n, y el afinador se podr\u00e1 a\u00f1adir a la pantalla de inicio, "
                 "funcionar\u00e1 sin red y ofrecer\u00e1 cada nueva versi\u00f3n.",
        "download": "1. Descarga el certificado",
        "android": "Android: abre Ajustes \u203a Seguridad (o Seguridad y privacidad) \u203a M\u00e1s "
                   "ajustes de seguridad \u203a Cifrado y credenciales \u203a Instalar un "
                   "certificado \u203a Certificado de CA, y elige {file} en Descargas.",
        "apple": "iPhone y iPad: permite la descarga, abre Ajustes \u203a Perfil descargado "
                 "\u203a Instalar, y activa la confianza total en \u201c{name}\u201d en Ajustes "
                 "\u203a General \u203a Informaci\u00f3n \u203a Ajustes de confianza de certificados.",
        "open": "2. Abre el afinador",
        "fingerprint": "La huella SHA-256 del certificado, que muestran el m\u00f3vil y el "
                       "ordenador, para comprobar que es este: {fingerprint}",
        "scope": "Solo responde de direcciones de redes locales (10.x.x.x, 172.16\u201331.x.x, "
                 "192.168.x.x y similares), as\u00ed que no puede suplantar a ning\u00fan otro "
                 "sitio. B\u00f3rralo donde lo instalaste cuando ya no lo necesites.",
        "without": "\u00bfPrefieres no instalarlo? Abre el afinador de todos modos y acepta el "
                   "aviso del navegador: escucha y toca sus notas, pero no se puede instalar ni "
                   "usar sin red, y solo funciona mientras este ordenador lo sirve. Para una "
                   "copia que se instala y funciona sin red en cualquier sitio, publica el sitio "
                   "en un servidor web https (el README explica c\u00f3mo).",
    },
}


def fingerprint(der):
    """The SHA-256 fingerprint as phones and `openssl x509 -fingerprint` show it."""
    digest = hashlib.sha256(der).hexdigest().upper()
    return ":".join(digest[i:i + 2] for i in range(0, len(digest), 2))


class LanSetup:
    """Answers the certificate's page and the certificate itself; `site_url` is the tuner's
    https address."""

    page_path = PAGE_PATH

    def __init__(self, ca_certificate_file, site_url):
        with open(ca_certificate_file, encoding="ascii") as f:
            pem = f.read()
        # DER, which every phone's installer takes.
        self.der = ssl.PEM_cert_to_DER_cert(pem)
        self.site_url = site_url
        self.name = _common_name(self.der)

    def answer(self, path, headers):
        """(body, content type, headers) for the page's own paths, None for any other."""
        if path == PAGE_PATH:
            return self.page(_language(headers.get("Accept-Language", ""))), "text/html; charset=utf-8", {}
        if path == PAGE_PATH + CERTIFICATE_NAME:
            return self.der, "application/x-x509-ca-cert", {
                "Content-Disposition": f'attachment; filename="{CERTIFICATE_NAME}"'}
        return None

    def page(self, language):
        texts = TEXTS[language]
        say = lambda key, **values: html.escape(texts[key].format(**values))  # noqa: E731
        site = html.escape(self.site_url)
        return f"""<!DOCTYPE html>
<html lang="{language}">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{say("title")}</title>
<style>
body {{ margin: 0 auto; max-width: 34rem; padding: 1rem 1.25rem 2rem; background: #151210; color: #f3e9d2;
  font: 1.05rem/1.5 system-ui, sans-serif; }}
h1 {{ color: #e0ad4c; font-size: 1.5rem; }}
h2 {{ font-size: 1.15rem; margin-top: 1.75rem; }}
a.button {{ display: inline-block; padding: 0.75rem 1.25rem; border-radius: 0.5rem; background: #f0c060;
  color: #151210; font-weight: 600; text-decoration: none; }}
a {{ color: #f0c060; }}
code {{ overflow-wrap: anywhere; font-size: 0.85rem; }}
small {{ display: block; margin-top: 1rem; color: #c8b89e; }}
</style>
</head>
<body>
<h1>{say("title")}</h1>
<p>{say("intro", site=self.site_url)}</p>
<h2>{say("download")}</h2>
<p><a class="button" id="certificate" href="{PAGE_PATH}{CERTIFICATE_NAME}" download>{CERTIFICATE_NAME}</a></p>
<p>{say("android", file=CERTIFICATE_NAME)}</p>
<p>{say("apple", name=self.name)}</p>
<h2>{say("open")}</h2>
<p><a class="button" id="tuner" href="{site}">{site}</a></p>
<small id="fingerprint">{say("fingerprint", fingerprint=fingerprint(self.der))}</small>
<small>{say("scope")}</small>
<p id="without">{say("without")}</p>
</body>
</html>
""".encode()


def _language(accepted):
    first = accepted.split(",", 1)[0].strip().lower()
    return "es" if first.startswith("es") else "en"


def _common_name(der):
    """The authority's name, as the phone lists it: the first common name in the certificate,
    which in one signed by itself is both the issuer's and the subject's."""
    at = der.find(b"\x06\x03\x55\x04\x03")  # the common name's object identifier, 2.5.4.3
    if at >= 0 and der[at + 6] < 0x80:
        return der[at + 7:at + 7 + der[at + 6]].decode("utf-8", "replace")
    return "Strumwise"
