#!/usr/bin/env python3
"""Writes the factory set shipped in the program folder's DLL folder.

The eleven settings files an organiser gets back with "restore defaults":
an invented demo list of about 200 people (names, mobiles, identity numbers
and work numbers are made up from a fixed seed, so every run gives the same
bytes), the award settings, the key and shown fields, the caption and prize
positions and the themes. All files are GBK with CR LF after every line.

Usage: make_factory_set.py [output folder]   (default: assets/factory)
"""

import datetime
import os
import random
import sys

SEED = 20270101
PEOPLE = 200

SURNAMES = (
    "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘"
    "于蒋蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹"
)
GIVEN = (
    "伟芳娜秀敏静丽强磊军洋勇艳杰娟涛明超霞平刚桂英华玉兰萍红鹏飞斌建国志文辉"
    "宇浩然子轩梓涵欣怡诗雨晨阳佳琪思远嘉俊一鸣雪梅海燕小龙凯丹妍婷博睿泽晓东"
    "立新春林云峰宁波慧颖蕾琳瑶雯倩璐晶蓉鑫亮旭升帆晗彤悦安康乐心语婧铭昊天诚"
)

# County codes that begin real identity numbers: the first six characters.
REGIONS = (
    "110101", "110105", "110108", "120101", "310104", "310115", "320102", "320583",
    "330106", "330302", "340104", "350203", "370202", "410105", "420106", "430104",
    "440106", "440305", "500103", "510107", "610113", "210202", "230103", "360102",
)
MOBILE_PREFIXES = ("130", "131", "132", "133", "135", "136", "137", "138", "139",
                   "150", "151", "152", "153", "155", "156", "157", "158", "159",
                   "180", "181", "182", "183", "185", "186", "187", "188", "189")

TITLE = "Qenwood科技有限公司新年联欢会"
SUBTITLE = "幸运抽奖活动"
DISPLAY_NAMES = ("特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖",
                 "六等奖", "七等奖", "特殊贡献奖", "鼓励奖", "阳光普照奖")
PER_ROUND_CHOICES = (1, 2, 3, 4, 5, 10)
# The demo draw: level -> (quantity, winners per round, prize, prize picture).
# The pictures are made by tools/assetgen and lie in the program folder.
DEMO_LEVELS = {0: ("1", 1, "笔记本电脑", "pics\\prize0.jpg"),
               1: ("3", 3, "平板电脑", "pics\\prize1.jpg"),
               2: ("5", 5, "蓝牙耳机", "pics\\prize2.jpg"),
               3: ("10", 10, "保温杯", "pics\\prize3.jpg")}


def id_check_character(first17):
    weights = (7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2)
    total = sum(int(c) * w for c, w in zip(first17, weights))
    return "10X98765432"[total % 11]


def make_people(rng):
    names, mobiles, ids = set(), set(), set()
    people = []
    first_day = datetime.date(1965, 1, 1)
    days = (datetime.date(2003, 12, 31) - first_day).days
    while len(people) < PEOPLE:
        name = rng.choice(SURNAMES) + "".join(rng.choice(GIVEN) for _ in range(rng.choice((1, 2, 2))))
        if name in names:
            continue
        mobile = rng.choice(MOBILE_PREFIXES) + "%08d" % rng.randrange(10 ** 8)
        birth = first_day + datetime.timedelta(days=rng.randrange(days + 1))
        first17 = rng.choice(REGIONS) + birth.strftime("%Y%m%d") + "%03d" % rng.randrange(1, 1000)
        id_number = first17 + id_check_character(first17)
        if mobile in mobiles or id_number in ids:
            continue
        names.add(name)
        mobiles.add(mobile)
        ids.add(id_number)
        people.append((name, mobile, id_number, "QW%04d" % (len(people) + 1)))
    return people


def award_lines():
    lines = [TITLE, "1", "0", SUBTITLE, "1", "0"]
    for k, shown in enumerate(DISPLAY_NAMES):
        enabled = k in DEMO_LEVELS
        quantity = DEMO_LEVELS[k][0] if enabled else ("888" if k >= 9 else "")
        prize, picture = DEMO_LEVELS[k][2:] if enabled else ("", "")
        lines += ["1" if enabled else "0", shown, quantity, prize, picture]
    # Status shown and centred, small prizes first, no repeated wins, prize
    # text and picture shown, space starts, fast caption, buttons shown, sound on.
    lines += ["0", "1", "0", "0", "0", "0", "0", "0", "0", "1"]
    for k in range(len(DISPLAY_NAMES)):
        per_round = DEMO_LEVELS[k][1] if k in DEMO_LEVELS else 10
        lines.append(str(PER_ROUND_CHOICES.index(per_round)))
    assert len(lines) == 82
    return lines


def write(folder, name, lines):
    data = b"".join(line.encode("gbk") + b"\r\n" for line in lines)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "factory")
    os.makedirs(folder, exist_ok=True)
    people = make_people(random.Random(SEED))
    columns = (("Tname.dll", "姓名"), ("Tmobile.dll", "手机号"), ("Tid.dll", "身份证号码"), ("Tbadge.dll", "工号"))
    for index, (name, header) in enumerate(columns):
        write(folder, name, [header] + [p[index] for p in people])
    write(folder, "Tgroup.dll", ["分组"] + [""] * len(people))
    write(folder, "keyword.dll", ["0"])
    write(folder, "showword.dll", ["1", "0", "0", "0", "0", "1"])
    write(folder, "Curtain.dll", ["0", "0"])
    write(folder, "bgtheme.dll", ["bg\\red\\1.jpg", "Yellow", "黑体"])
    write(folder, "bgshow.dll", ["bg\\show\\red.jpg"])
    write(folder, "Tlottery.dll", award_lines())


if __name__ == "__main__":
    main()
