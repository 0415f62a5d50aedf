"""Smile Japanese texts with playful sentence endings, as Chirpwell does.

At random places, at a frequency in percent, sentence endings and punctuation
become one of their replacements, picked at random from a smile set: the
built-in one, or a smile file's. Optional filters first remove HTML tags and C
and C++ comments, and every lone CR or LF becomes CR LF unless kept.

A ``str`` goes in and a ``str`` comes out. ``bytes`` go in and ``bytes`` come
out: their encoding (Shift_JIS, UTF-8, EUC-JP, ISO-2022-JP, UTF-16 or a JIS X
0213 form) is detected and the result written back in it.

The same seed, settings and text give the same result as ``chirpwell-smile
--seed`` and the window. Without a seed the clock seeds the generator in whole
seconds, as in the window: two calls in the same second give the same result.

The work runs in libchirpwell with the GIL released, so threads may smile at
once.

>>> import chirpwell
>>> chirpwell.smile("晴れです。", frequency=100, seed=1)
'晴れではありません。'
"""

from __future__ import annotations

import codecs
import operator
import os
from typing import Optional, TypeVar, Union

from chirpwell._native import ffi, lib

__all__ = ["smile", "censor", "reverse", "Smiler", "SmileError", "TooLongError",
           "__version__"]

#: The version of libchirpwell underneath, such as "4.02".
__version__: str = ffi.string(lib.chirpwell_version()).decode("ascii")

Text = TypeVar("Text", str, bytes)
Path = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]

# The window's maximum length of a smiled text, in CP932 bytes.
_MAX_SMILED = 524287


class SmileError(Exception):
    """A text, a smile file or an argument that Chirpwell cannot work with; the
    message says why, in the language of the locale when it has a translation."""


class TooLongError(SmileError):
    """The smiled text would pass the window's maximum of 524,287 bytes."""


def _fail(code: int, message: "ffi.CData") -> None:
    text = ""
    if message[0] != ffi.NULL:
        text = ffi.string(message[0]).decode("utf-8", "replace")
        lib.chirpwell_free(message[0])
    if code == lib.CHIRPWELL_ERROR_MEMORY:
        raise MemoryError(text)
    raise SmileError(text)


def _check(code: int, message: "ffi.CData") -> None:
    if code != lib.CHIRPWELL_OK:
        _fail(code, message)


def _bytes_of(text: Union[str, bytes]) -> tuple[bytes, bool]:
    """The bytes to work on, and whether they came from a str."""
    if isinstance(text, str):
        return text.encode("utf-8"), True
    if isinstance(text, (bytes, bytearray, memoryview)):
        return bytes(text), False
    raise TypeError(f"text must be str or bytes, not {type(text).__name__}")


def _options(*, is_str: bool, frequency: int = 2, seed: Optional[int] = None,
             html: bool = False, comments: bool = False, keep_newlines: bool = False,
             zenkaku: Optional[str] = None, hankaku: Optional[str] = None,
             limits: bool = True) -> "ffi.CData":
    frequency = operator.index(frequency)
    options = lib.chirpwell_options_create()
    if options == ffi.NULL:
        raise MemoryError("no memory for the options")
    options = ffi.gc(options, lib.chirpwell_options_destroy)
    # The library takes a C int, and any value past its range acts as its ends do.
    lib.chirpwell_options_set_frequency(options, max(-2**31, min(frequency, 2**31 - 1)))
    if seed is not None:
        seed = operator.index(seed)
        if not 0 <= seed <= 0xFFFFFFFF:
            raise ValueError(f"seed must be from 0 to 4294967295, not {seed}")
        lib.chirpwell_options_set_seed(options, seed)
    lib.chirpwell_options_set_html(options, bool(html))
    lib.chirpwell_options_set_comments(options, bool(comments))
    lib.chirpwell_options_set_newlines(options, not keep_newlines)
    lib.chirpwell_options_set_limits(options, bool(limits))
    message = ffi.new("char **")
    if zenkaku is not None or hankaku is not None:
        _check(lib.chirpwell_options_set_censor_characters(
            options, ffi.NULL if zenkaku is None else zenkaku.encode("utf-8"),
            ffi.NULL if hankaku is None else hankaku.encode("utf-8"), message), message)
    if is_str:
        _check(lib.chirpwell_options_set_encoding(options, b"utf-8", message), message)
    return options


def _smile_set(smile_file: Optional[Path]) -> "ffi.CData":
    if smile_file is None:
        made = lib.chirpwell_set_builtin()
        if made == ffi.NULL:
            raise MemoryError("no memory for the smile set")
        return ffi.gc(made, lib.chirpwell_set_destroy)
    made = ffi.new("chirpwell_set **")
    message = ffi.new("char **")
    _check(lib.chirpwell_set_load_file(os.fsencode(smile_file), ffi.NULL, made, message),
           message)
    return ffi.gc(made[0], lib.chirpwell_set_destroy)


def _text_of(result: "ffi.CData") -> bytes:
    """The result's bytes; destroys it."""
    try:
        length = ffi.new("size_t *")
        return ffi.buffer(lib.chirpwell_result_text(result, length), length[0])[:]
    finally:
        lib.chirpwell_result_destroy(result)


def _run(call, data: bytes, is_str: bool):
    """Runs call(data, length, result, message) and gives its text as the input's type."""
    result = ffi.new("chirpwell_result **")
    message = ffi.new("char **")
    code = call(data, len(data), result, message)
    if code == lib.CHIRPWELL_TOO_LONG:
        lib.chirpwell_result_destroy(result[0])
        raise TooLongError(
            f"the smiled text would be longer than {_MAX_SMILED:,} bytes")
    _check(code, message)
    text = _text_of(result[0])
    return text.decode("utf-8") if is_str else text


def smile(text: Text, *, frequency: int = 2, seed: Optional[int] = None,
          smile_file: Optional[Path] = None, html: bool = False, comments: bool = False,
          keep_newlines: bool = False, limits: bool = True) -> Text:
    """Smiles text as Chirpwell smiles a file it opens.

    frequency is the percentage of places tried (0 or less smiles nothing, 100 or
    more tries every one). seed seeds the generator (0 to 4294967295); None takes
    the clock's whole seconds, so two calls in the same second give the same
    result. smile_file names a smile file to use instead of the built-in set. html
    and comments remove HTML tags and C and C++ comments first; keep_newlines
    leaves lone CRs and LFs as they are instead of making them CR LF.

    With limits (the default) the window's limits hold: a text of more than
    1,048,575 bytes as given raises SmileError, and a smiled text that would pass
    524,287 bytes (counted in Shift_JIS) raises TooLongError. A text already
    longer than 524,287 bytes therefore always raises TooLongError, even at
    frequency 0. With limits=False nothing is limited but memory.

    Raises SmileError for a text that cannot be read (not valid in its encoding,
    a zero byte, UTF-32), a smile file that cannot be loaded, or a character the
    result's encoding lacks.
    """
    data, is_str = _bytes_of(text)
    options = _options(is_str=is_str, frequency=frequency, seed=seed, html=html,
                       comments=comments, keep_newlines=keep_newlines, limits=limits)
    smile_set = _smile_set(smile_file)
    return _run(lambda *args: lib.chirpwell_smile(smile_set, options, *args), data, is_str)


def censor(text: Text, *, frequency: int = 2, seed: Optional[int] = None,
           zenkaku: str = "●", hankaku: str = "*", limits: bool = False) -> Text:
    """Censors text: at the frequency, each character but blanks and the
    full-width space becomes zenkaku (full-width ones) or hankaku (half-width
    ones), each one character of Shift_JIS. No filters run.

    seed acts as in smile(). With limits=True a text of more than 1,048,575 bytes
    raises SmileError; without, nothing is limited but memory.
    """
    data, is_str = _bytes_of(text)
    options = _options(is_str=is_str, frequency=frequency, seed=seed, zenkaku=zenkaku,
                       hankaku=hankaku, limits=limits)
    return _run(lambda *args: lib.chirpwell_censor(options, *args), data, is_str)


def reverse(text: Text, *, limits: bool = False) -> Text:
    """Reverses text a character at a time, keeping CR LF pairs. No filters run.

    With limits=True a text of more than 1,048,575 bytes raises SmileError;
    without, nothing is limited but memory.
    """
    data, is_str = _bytes_of(text)
    options = _options(is_str=is_str, limits=limits)
    return _run(lambda *args: lib.chirpwell_reverse(options, *args), data, is_str)


class Smiler:
    """Smiles a text of any length that comes in parts, such as a log or a corpus
    read a block at a time. The parts' results joined are exactly what
    smile(whole, limits=False) gives with the same seed and settings, however the
    text is cut: inside a character, a key, a tag, a comment or a CR LF pair.

    >>> s = chirpwell.Smiler(frequency=100, seed=1)
    >>> s.feed("晴れで") + s.feed("す。") + s.finish()
    '晴れではありません。'

    The arguments are smile()'s; there are no limits. feed() takes str or bytes,
    the same type every time, and gives back the output that became final, of
    that type (often empty at first: the ending of a part may still change, and
    bytes whose encoding is detected are held until 64 KiB have come). Bytes may
    be cut anywhere, even inside a character. finish() ends the text and gives
    the rest. Memory stays bounded, but for an HTML tag or comment held open: one
    open past 16 MiB stops the stream with SmileError.

    A SmileError (bytes that are no text, a character the output lacks, an open
    tag or comment too long; the message says where as LINE:COLUMN) ends the
    stream: what the earlier calls gave stays the start of the output, and every
    later call raises again.
    """

    def __init__(self, *, frequency: int = 2, seed: Optional[int] = None,
                 smile_file: Optional[Path] = None, html: bool = False,
                 comments: bool = False, keep_newlines: bool = False) -> None:
        # Made now, so that a bad argument fails here rather than at the first part;
        # the first part's type then names the encoding.
        self._options = _options(is_str=False, frequency=frequency, seed=seed, html=html,
                                 comments=comments, keep_newlines=keep_newlines,
                                 limits=False)
        self._set = _smile_set(smile_file)
        self._smiler = None
        self._is_str: Optional[bool] = None
        self._decoder = codecs.getincrementaldecoder("utf-8")()

    def _start(self, is_str: bool) -> None:
        """Makes the library's smiler once the first part shows the type."""
        if self._smiler is not None:
            if is_str != self._is_str:
                raise TypeError("every part must be str, or every part bytes")
            return
        message = ffi.new("char **")
        if is_str:
            _check(lib.chirpwell_options_set_encoding(self._options, b"utf-8", message), message)
        made = ffi.new("chirpwell_smiler **")
        _check(lib.chirpwell_smiler_create(self._set, self._options, made, message), message)
        self._smiler = ffi.gc(made[0], lib.chirpwell_smiler_destroy)
        self._is_str = is_str

    def _step(self, call, final: bool):
        """Runs call(result, message) and gives its output as the parts' type."""
        result = ffi.new("chirpwell_result **")
        message = ffi.new("char **")
        _check(call(result, message), message)
        text = _text_of(result[0])
        # A part of UTF-8 output may end inside a character the next part ends.
        return self._decoder.decode(text, final) if self._is_str else text

    def feed(self, part: Text) -> Text:
        """Takes the next part of the text and gives the output that became final."""
        data, is_str = _bytes_of(part)
        self._start(is_str)
        return self._step(
            lambda *out: lib.chirpwell_smiler_feed(self._smiler, data, len(data), *out), False)

    def finish(self) -> Text:
        """Ends the text and gives the rest of the output; once only. A Smiler fed
        nothing gives ""."""
        if self._smiler is None:
            self._start(True)
        return self._step(lambda *out: lib.chirpwell_smiler_finish(self._smiler, *out), True)
