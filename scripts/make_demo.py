#!/usr/bin/env python3
"""Builds res/demo/demo.kdl, the document `kardel` opens for a first look, from our own content.

usage: scripts/make_demo.py path/to/kardel-cli
"""
import json, subprocess, sys, tempfile, os

cli = sys.argv[1]
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
with tempfile.TemporaryDirectory() as tmp:
    subprocess.run([cli, "new", f"{tmp}/n.kdl"], check=True)
    doc = json.loads(subprocess.run([cli, "dump", f"{tmp}/n.kdl"], check=True, capture_output=True).stdout)

T0 = 1735689600  # 2025-01-01
DAY = 86400

def memo(title, kind, body="", days=0, due=None, done=None, sel=""):
    return {"title": title, "kind": kind, "created": T0 + days * DAY, "updated": T0 + (days + 2) * DAY,
            "hasDue": 1 if due is not None else 0, "due": T0 + (due or 0) * DAY,
            "done": T0 + (done or 0) * DAY, "selItem": sel, "body": body.replace("\n", "\r\n")}

# (memo, children) outline below the root; the trash comes last.
outline = [
    (memo("はじめに", 4, "Kardel へようこそ。\n左の TreeView でメモを選ぶと、ここに本文が出ます。\n"
          "Ctrl+I で選択中のメモの下に新しいメモを作ります。\nhttp://example.org/ を選んで Ctrl+H で開けます。\n"), []),
    (memo("仕事", 0, "", 1), [
        (memo("週次報告", 5, "・進捗のまとめ\n・来週の予定\n・課題\n", 3, due=10), []),
        (memo("会議メモ 1/20", 4, "出席: 5名\n決定事項:\n\t1. 予算案を承認\n\t2. 次回は 2/3\n", 19), []),
        (memo("見積書の送付", 10, "送付済み。", 5, due=7, done=6), []),
    ]),
    (memo("買い物", 1, "", 2), [
        (memo("食料品", 4, "牛乳\n卵\nパン\nりんご\n", 4), []),
        (memo("文房具", 6, "ノート 2冊\nボールペン(黒)\n", 4), []),
    ]),
    (memo("アイデア", 0, "", 6), [
        (memo("旅行の計画", 7, "候補: 京都、金沢、函館\n時期: 秋\n", 8), []),
        (memo("読みたい本", 8, "・技術書 2冊\n・小説 1冊\n", 9), []),
        (memo("締め切り間近", 9, "期日を過ぎると赤いチェックが付きます。", 9, due=12), []),
    ]),
]

memos = [dict(doc["memos"][0], title="Data", kind=0), doc["memos"][1]]
memos[0].update(created=T0, updated=T0)
memos[1].update(created=T0, updated=T0)
tree = [{"image": 0, "memo": 0, "parent": 0, "hasChildren": 1, "selected": 0}]

def add(items, parent_seq):
    for m, children in items:
        memos.append(m)
        index = len(memos) - 1
        tree.append({"image": m["kind"], "memo": index, "parent": parent_seq,
                     "hasChildren": 1 if children else 0, "selected": 1 if index == 2 else 0})
        seq = len(tree)
        add(children, seq)

add(outline, 1)
tree.append({"image": 2, "memo": 1, "parent": 1, "hasChildren": 0, "selected": 0})
doc["memos"] = memos
doc["tree"] = tree
doc["currentMemo"] = 2
doc["options"]["defName"] = ["重要", "買う", "旅", "本", "急ぎ"]
doc["findViewWidths"] = [200, 80, 80, 75, 75, 75, 75]
doc["window"] = {"top": 0, "left": 0, "bottom": 0, "right": 0, "treeWidth": 145}
src = os.path.join(root, "res/demo/demo.json")
with open(src, "w", encoding="utf-8") as f:
    json.dump(doc, f, ensure_ascii=False, indent=1)
subprocess.run([cli, "build", src, os.path.join(root, "res/demo/demo.kdl")], check=True)
