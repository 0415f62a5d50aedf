"""The package against chirpwell-smile: the same files, seeds and settings must give
the same bytes; and every failure its exception."""

import doctest
import os
import random
import subprocess
import threading
from pathlib import Path

import pytest

import chirpwell

ROOT = Path(__file__).resolve().parents[2]
COMMAND = os.environ.get("CHIRPWELL_SMILE", str(ROOT / "build" / "cli" / "chirpwell-smile"))
SAMPLES = [ROOT / "samples" / "sample.txt", ROOT / "samples" / "utf8-sample.txt",
           *sorted((ROOT / "tests" / "data").glob("*.*"))]
SAMPLES = [path for path in SAMPLES if path.suffix != ".md" and path.name != "README"]


def command(*args, data=None):
    run = subprocess.run([COMMAND, *args], input=data, capture_output=True)
    assert run.returncode == 0, run.stderr.decode(errors="replace")
    return run.stdout


# Keyword arguments of smile() and chirpwell-smile's options that ask the same.
SETTINGS = [
    ({"frequency": 30, "seed": 1}, ["-f", "30", "--seed=1"]),
    ({"frequency": 100, "seed": 7, "keep_newlines": True}, ["-f", "100", "--seed=7", "--keep-newlines"]),
    ({"frequency": 60, "seed": 3, "html": True, "comments": True},
     ["-f", "60", "--seed=3", "--html", "--comments"]),
    ({"frequency": 80, "seed": 5, "smile_file": ROOT / "samples" / "kansai.grn"},
     ["-f", "80", "--seed=5", "-s", str(ROOT / "samples" / "kansai.grn")]),
]


@pytest.mark.parametrize("path", SAMPLES, ids=lambda path: path.name)
def test_bytes_smile_as_the_command_does(path):
    data = path.read_bytes()
    for keywords, options in SETTINGS:
        assert chirpwell.smile(data, **keywords) == command(*options, str(path)), options
    assert chirpwell.censor(data, frequency=50, seed=2) == \
        command("--censor", "-f", "50", "--seed=2", str(path))
    assert chirpwell.reverse(data) == command("--reverse", str(path))


def test_str_goes_in_and_comes_out_as_utf8():
    text = (ROOT / "tests" / "data" / "sample.utf8").read_text(encoding="utf-8")
    smiled = chirpwell.smile(text, frequency=40, seed=9)
    assert isinstance(smiled, str)
    assert smiled.encode("utf-8") == command("-f", "40", "--seed=9", "--utf8",
                                             data=text.encode("utf-8"))
    assert chirpwell.smile("晴れです。", frequency=100, seed=1) == "晴れではありません。"
    # Characters Shift_JIS lacks pass through a str untouched.
    assert chirpwell.reverse("😀あ\r\n𠀋") == "𠀋\r\nあ😀"
    assert chirpwell.censor("あ a", frequency=100, zenkaku="■", hankaku="#") == "■ #"
    assert chirpwell.smile("", seed=1) == ""
    assert chirpwell.__version__ == command("--version").decode().split()[-1]


def test_limits_hold_only_when_asked():
    large = "a" * 1_048_576
    with pytest.raises(chirpwell.SmileError, match="1,048,575"):
        chirpwell.smile(large)
    with pytest.raises(chirpwell.SmileError, match="1,048,575"):
        chirpwell.reverse(large, limits=True)
    assert chirpwell.reverse(large) == large
    assert len(chirpwell.censor(large, frequency=50)) == len(large)
    # Past 524,287 bytes the smile stops at once, at any frequency.
    for text in ["a" * 524_288, "です。" * 100_000]:
        with pytest.raises(chirpwell.TooLongError):
            chirpwell.smile(text, frequency=0)
    smiled = chirpwell.smile("a" * 2_000_000 + "です。", frequency=100, seed=1, limits=False)
    assert smiled == "a" * 2_000_000 + "ではありません。"


@pytest.mark.parametrize("call, error, words", [
    (lambda: chirpwell.smile(b"\x82\xa0\x00"), chirpwell.SmileError, "zero byte"),
    (lambda: chirpwell.smile(b"\xff\xfe\x00\x00a\x00\x00\x00"), chirpwell.SmileError, "UTF-32"),
    (lambda: chirpwell.smile("あ", smile_file="/nonexistent/set.grn"), chirpwell.SmileError,
     "set.grn"),
    (lambda: chirpwell.censor("あ", zenkaku="**"), chirpwell.SmileError, "full-width"),
    (lambda: chirpwell.censor("あ", hankaku="€"), chirpwell.SmileError, "€"),
    (lambda: chirpwell.smile("あ", seed=-1), ValueError, "seed"),
    (lambda: chirpwell.smile("あ", seed=2**32), ValueError, "seed"),
    (lambda: chirpwell.smile(3), TypeError, "str or bytes"),
    (lambda: chirpwell.smile("あ", frequency=1.5), TypeError, "float"),
])
def test_errors(call, error, words):
    with pytest.raises(error, match=words):
        call()


def test_threads_smile_at_once():
    text = (ROOT / "tests" / "data" / "sample.utf8").read_bytes() * 20
    expected = chirpwell.smile(text, frequency=50, seed=11)
    results = [None] * 4

    def work(index):
        results[index] = chirpwell.smile(text, frequency=50, seed=11)

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(results))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert results == [expected] * len(results)


def streamed(smiler, text, cuts):
    """text fed to smiler in parts ending at cuts, then finished."""
    parts, start = [], 0
    for cut in [*cuts, len(text)]:
        parts.append(smiler.feed(text[start:cut]))
        start = cut
    return type(text)().join(parts) + smiler.finish()


@pytest.mark.parametrize("path", [SAMPLES[0], SAMPLES[1], ROOT / "tests" / "data" / "sample.utf16"],
                         ids=lambda path: path.name)
def test_smiler_gives_the_whole_text_cut_at_random(path):
    data = path.read_bytes()
    rng = random.Random(22)
    wholes = [data, data * (200_000 // len(data) + 1)]
    if "utf8" in path.name:
        wholes.append(data.decode("utf-8"))
    for keywords, _ in SETTINGS:
        for whole in wholes:
            expected = chirpwell.smile(whole, limits=False, **keywords)
            size = len(whole)
            cut_sets = [[], [size // 2], sorted(rng.randrange(size) for _ in range(60))]
            for cuts in cut_sets:
                assert streamed(chirpwell.Smiler(**keywords), whole, cuts) == expected, cuts


def test_smiler_gives_the_whole_text_cut_at_every_place():
    text = "今日は<b>晴れ</b>です。/* 注 */明日も、ｶﾀｶﾅ雨です！\r\n// 行末\n終わり。\r" * 4
    for keywords, _ in SETTINGS:
        for whole in (text, text.encode("utf-8"), text.encode("cp932"), text.encode("utf-16")):
            expected = chirpwell.smile(whole, limits=False, **keywords)
            for cut in range(len(whole) + 1):
                assert streamed(chirpwell.Smiler(**keywords), whole, [cut]) == expected, cut


def test_smiler_failures_last():
    smiler = chirpwell.Smiler(seed=1)
    smiler.feed("一行目。\r\n")
    with pytest.raises(TypeError):
        smiler.feed(b"bytes")
    bad = chirpwell.Smiler(seed=1)
    with pytest.raises(chirpwell.SmileError, match="2:3"):
        bad.feed(b"\xef\xbb\xbf" + "一行目。\r\nab".encode() + b"\xff" + b"x" * 70_000)
    with pytest.raises(chirpwell.SmileError, match="2:3"):
        bad.finish()
    done = chirpwell.Smiler()
    assert done.finish() == ""
    with pytest.raises(chirpwell.SmileError):
        done.finish()


def test_docstring_examples_hold():
    result = doctest.testmod(chirpwell, extraglobs={"chirpwell": chirpwell})
    assert result.attempted > 0 and result.failed == 0
