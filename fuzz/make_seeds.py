#!/usr/bin/env python3
"""Writes the seed corpora of the text, control, lexicon and user dictionary
fuzz targets under fuzz/corpus/. The voice seeds come from fuzz_seed_voices."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

TEXTS = {
    "es": ["Hola, buenos días. El perro come pan.", "¿Qué tal? ¡Muy bien!", "El 3/12/2007 a las 10:30.",
           "Pagué $25 y 1.500 €; el 50% de 1.000.000.", "www.ejemplo.com, correo@dominio.es",
           "ñandú pingüino ÁÉÍÓÚ Ü", "a", "-", "((()))", "   ,,, ...", "Hola\nmundo\tcruel",
           "Calle 5, nº 23 - 2º B", "Son las 23:59:59 del 31-12-1999.", "mil novecientos ochenta y cuatro",
           "12345678901234567890", "X" * 40, "uno dos tres cuatro cinco seis siete ocho nueve diez " * 6,
           "El Sr. García llegó a las 8:05 h.", "£3 ¥4 $5.50 €0,99", "'comillas' \"dobles\" (paréntesis)"],
    "pl": ["Zażółć gęślą jaźń.", "Dzień dobry, jak się masz?", "Dnia 12.05.2021 o godzinie 14:30.",
           "Kosztuje 12,50 zł albo 3 €.", "ŁÓDŹ, Kraków; Gdańsk!", "100% 2000 3.000.000",
           "w", "z", "ąęćłńóśźż ĄĘĆŁŃÓŚŹŻ", "www.onet.pl adres@poczta.pl", "Pan Jan ma 3 koty i 21 psów.",
           "raz dwa trzy cztery pięć sześć siedem osiem " * 8, "12:00 - 13:15", "1/2 3/4", "Ąą"],
    "tr": ["İstanbul'da 5 Mayıs 2021 saat 14:45'te buluşalım!", "Merhaba, nasılsınız?", "Çok güzel. Ğ ğ İ ı Ş ş",
           "Fiyatı 25 TL, yani $3.", "%50 indirim; 1.000.000 kişi.", "www.ornek.com.tr e-posta@alan.tr",
           "ı", "İ", "Öğretmen öğrencilere ödev verdi.", "bir iki üç dört beş altı yedi sekiz dokuz on " * 6,
           "Saat 09:05 ile 23:59 arası.", "3/12/2007", "Ahmet Bey'in 2 kedisi var.", "ÇÖÜĞİŞ çöüğış"],
}


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


def text_seeds():
    for lang, texts in TEXTS.items():
        for i, text in enumerate(texts):
            # flags: mode cycles 0..5, every fourth unchunked, formats cycle; refusal now and then
            flags = (i % 6) | (8 if i % 4 == 3 else 0) | ((i % 4) << 4)
            refusal = (i % 8) if i % 5 == 4 else 0xFF
            write("text_" + lang, "seed-%02d" % i, bytes([flags, refusal]) + text.encode("utf-8"))


def control_seeds():
    def op_ctrl(code, value, kind=0):
        return bytes([0, code + 1, kind]) + struct.pack("<i", value)

    def op_ptc(code, value, kind=0):
        return bytes([1, code, kind]) + struct.pack("<i", value)

    def op_added(code, value, kind=0):  # the added handle controls, 16 and up
        return bytes([0, 0xF0 + code - 16, kind]) + struct.pack("<i", value)

    start = lambda text, mode=1: bytes([2, text, mode])
    step = bytes([3])
    finish = bytes([4])
    legal = lambda text, at: bytes([5, text, at])
    reset = lambda which: bytes([6, which])
    refuse = lambda b: bytes([7, b])
    programs = [
        start(0) + finish,
        op_ctrl(0, 150) + start(0) + finish,
        op_ctrl(1, 200) + start(1) + finish,
        op_ctrl(1, 50) + start(2) + finish,
        op_ctrl(2, 0x0810) + start(3) + finish,
        op_ctrl(2, 0x0B10) + op_ctrl(7, 0) + start(0) + finish,
        op_ctrl(2, 22050) + op_ctrl(6, 0) + start(4) + finish,
        op_ctrl(4, 0) + op_ctrl(5, 0) + start(0) + finish,
        op_ctrl(4, 300) + op_ctrl(5, 500) + start(7) + finish,
        op_ctrl(8, 1) + op_ctrl(-1, 1) + start(5) + finish,
        start(0) + step + step + step + start(1) + finish,
        start(0) + step + step + reset(0) + step + finish,
        refuse(0) + start(0) + finish + refuse(0xFF) + start(0) + finish,
        refuse(2) + start(1) + finish,
        op_ptc(1, 200) + start(0) + finish,
        op_ptc(2, 300) + start(0) + finish,
        op_ptc(3, 0) + op_ptc(7, 5) + op_ptc(9, 1) + start(0) + finish,
        op_ptc(4, 8000) + start(0) + finish,
        op_ptc(5, 8000) + start(0) + finish,
        op_ptc(0, 0) + op_ptc(6, 0) + start(6) + finish,
        legal(0, 0) + legal(1, 10) + legal(5, 1) + legal(2, 40),
        reset(1) + reset(2) + reset(3) + reset(4) + start(0) + finish,
        start(0) + finish + finish + start(0) + step,
        op_ctrl(0, 60) + op_ctrl(1, 300) + start(1, 2) + finish,
        start(1, 3) + finish + start(1, 0) + finish,
        start(6, 6) + finish + start(7, 7) + finish,
        op_added(18, 1) + op_added(17, 1) + op_added(16, 1) + start(0) + finish + start(1) + finish,
        op_added(18, 2) + op_added(19, 0) + op_added(18, -1) + start(2) + finish,
    ]
    for i, program in enumerate(programs):
        write("control", "seed-%02d" % i, program)


def lexicon_seeds():
    i = 0
    for select, texts in ((0, TEXTS["es"]), (1, TEXTS["pl"]), (2, TEXTS["tr"])):
        for text in texts[:10]:
            words = "\0".join(text.split(" ")[:12])
            sel = select | (0x10 if i % 3 == 0 else 0) | (0x20 if i % 7 == 6 else 0)
            write("lexicon", "seed-%02d" % i, bytes([sel]) + words.encode("utf-16-le"))
            i += 1
    write("lexicon", "seed-%02d" % i, bytes([0]) + ("a" * 300).encode("utf-16-le"))
    write("lexicon", "seed-%02d" % (i + 1), bytes([2]) + "\ud800x\udc00".encode("utf-16-le", "surrogatepass"))


def dictionary_seeds():
    files = [
        (0, "casa\tk a1 s a0\nperro\tp e1 R o0\n"),
        (0, "# comentario\nhola\to0 l a0\n\nadiós\ta0 d i o1 s\n"),
        (0, "malo sin tabulador\nbien\tb i e1 n\n"),
        (0, "x\tzz qq\n"),
        (0, "vacío\t\n\tk a\n"),
        (1, "dom\td o1 m\nkot\tk o1 t\n"),
        (1, "źdźbło\tzi dzi b w o\n# x\n"),
        (2, "ev\te1 v\nkedi\tk e0 d i1\n"),
        (2, "ılık\tɯ l ɯ k\n"),
        (4, "casa\tk a1 s a0\r\nperro\tp e1 R o0\r\n"),
        (5, "\ufeffdom\td o1 m\n"),
        (6, "a\t" + "a0 " * 200 + "\n"),
        (0, "a" * 300 + "\tk a1\n"),
        (8, "casa\tk a1 s a0\ncasa\tk a1 s a1\n"),
        (0, "\t\t\t\n\n\n"),
        (0, ""),
    ]
    for i, (select, text) in enumerate(files):
        write("user_dictionary", "seed-%02d" % i, bytes([select]) + text.encode("utf-8"))


if __name__ == "__main__":
    text_seeds()
    control_seeds()
    lexicon_seeds()
    dictionary_seeds()
