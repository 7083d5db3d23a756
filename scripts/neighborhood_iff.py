"""Writes Neighborhood.iff files for the sample game installation.

Only what the album program reads has to be right, but the files are laid out as the game lays
them out: a 64-byte file header, then chunks, each with a 76-byte chunk header (type code, size
of the whole chunk big-endian, chunk ID big-endian, flags, 64-byte label) followed by its data.

  family chunk "FAMI": ID = family ID; data from +76: version, two words, the lot (house number,
      32-bit little-endian) at +88, then the family's funds and members.
  family name chunk "FAMs": ID = family ID; data from +76: string table format 0xFDFF, one
      entry, language byte at +80, the name NUL-terminated from +81, an empty description.
"""
import struct

FILE_HEADER = b"IFF FILE 2.5:TYPE FOLLOWING+OBJECT FILE DATA BY MAXIS"


def chunk(type_code, chunk_id, data, label=b""):
    assert len(type_code) == 4 and len(label) <= 64
    size = 76 + len(data)
    return (type_code + struct.pack(">IHH", size, chunk_id, 0x10) + label.ljust(64, b"\0") + data)


def family_chunk(family_id, lot, funds=20000, members=(1, 2, 3)):
    data = struct.pack("<iii", 9, 0, 1)  # version and two words the album program does not read
    data += struct.pack("<i", lot)
    data += struct.pack("<ii", funds, len(members)) + b"".join(struct.pack("<i", m) for m in members)
    return chunk(b"FAMI", family_id, data)


def family_name_chunk(family_id, name):
    data = struct.pack("<Hh", 0xFDFF, 1) + b"\x00" + name + b"\0" + b"\0"
    return chunk(b"FAMs", family_id, data)


def neighborhood_file(families, ends_in_f_before=None):
    """families: (name bytes, family ID, lot) in file order. ends_in_f_before: the name of a family
    whose family chunk directly follows a text chunk ending in the byte 'F'."""
    body = chunk(b"NGBH", 1, struct.pack("<iii", 1, len(families), 0) + bytes(range(32)))
    body += chunk(b"STR#", 200, struct.pack("<Hh", 0xFDFF, 1) + b"\x00Neighborhood\0\0")
    for name, family_id, lot in families:
        if name == ends_in_f_before:
            # A text chunk whose last byte is 'F', right before the family chunk.
            body += chunk(b"STR#", 300 + family_id, struct.pack("<Hh", 0xFDFF, 1) + b"\x00Report card: F")
        body += family_chunk(family_id, lot)
        body += family_name_chunk(family_id, name)
    header = FILE_HEADER.ljust(60, b"\0") + struct.pack(">I", 0)
    return header + body
