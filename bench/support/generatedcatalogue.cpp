#include "generatedcatalogue.h"

#include "shippedschema.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace {

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void bind(sqlite3_stmt *statement, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void fill(sqlite3 *db, const char *table, const GeneratedCatalogue::Shape &shape)
{
    sqlite3_stmt *insert = nullptr;
    const QByteArray sql = QByteArray("insert into ") + table + " values(?,?,?)";
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr), db);
    for (int i = 0; i < shape.papers; ++i) {
        bind(insert, 1, QStringLiteral("省市%1").arg(i % shape.provinces));
        bind(insert, 2,
             shape.realisticNames ? GeneratedCatalogue::realisticName(i, shape.latinShare)
                                  : GeneratedCatalogue::paperName(i, shape));
        bind(insert, 3, QStringLiteral("https://paper%1.example.com/").arg(i));
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

} // namespace

QString GeneratedCatalogue::paperName(int index, const Shape &shape)
{
    // Every n-th paper has a Latin name, the others Chinese ones.
    const int latinEvery = shape.latinShare > 0 ? int(1.0 / shape.latinShare) : 0;
    if (latinEvery > 0 && index % latinEvery == 0)
        return QStringLiteral("Daily Paper %1").arg(index);
    return QStringLiteral("第%1日报").arg(index);
}

QString GeneratedCatalogue::realisticName(int index, double latinShare)
{
    static const QStringList places =
        QStringLiteral(
            "温州 兰溪 义乌 宜宾 绵阳 柳州 桂林 株洲 岳阳 常德 襄阳 宜昌 荆州 九江 赣州 "
            "泉州 漳州 莆田 汕头 湛江 佛山 东莞 惠州 江门 肇庆 珠海 中山 潮州 梅州 韶关 "
            "洛阳 开封 安阳 新乡 许昌 南阳 信阳 驻马店 保定 邯郸 邢台 唐山 秦皇岛 张家口 "
            "大同 长治 运城 临汾 包头 赤峰 鄂尔多斯 鞍山 抚顺 本溪 丹东 锦州 营口 吉安 "
            "齐齐哈尔 牡丹江 佳木斯 徐州 常州 南通 连云港 淮安 盐城 扬州 镇江 泰州 宿迁 "
            "嘉兴 湖州 绍兴 金华 衢州 舟山 台州 丽水 芜湖 蚌埠 淮南 马鞍山 安庆 黄山 阜阳")
            .split(u' ');
    static const QStringList kinds =
        QStringLiteral("日报 晚报 都市报 商报 早报 时报 晨报 青年报 法治报 经济日报 "
                       "广播电视报 侨报 老年报 科技报 农民报 教育报")
            .split(u' ');
    static const QStringList qualifiers =
        QStringLiteral("- 新 今日 城市 周末 大 东方 西部").split(u' ');
    static const QStringList words =
        QStringLiteral("Morning Evening Daily Weekly Courier Herald Chronicle Gazette Star Post "
                       "Tribune Observer Times Journal Sentinel Echo Record Mirror Express Globe")
            .split(u' ');
    const int latinEvery = latinShare > 0 ? int(1.0 / latinShare) : 0;
    // Spread over the lists by unrelated steps, so that neighbours differ.
    const auto pick = [index](const QStringList &list, int step) {
        return list.at(int((qint64(index) * step + index / list.size()) % list.size()));
    };
    if (latinEvery > 0 && index % latinEvery == 0)
        return QStringLiteral("The ") + pick(words, 7) + u' ' + pick(words, 13);
    const QString qualifier = pick(qualifiers, 5);
    return (qualifier == u"-" ? QString() : qualifier) + pick(places, 11) + pick(kinds, 3);
}

GeneratedCatalogue::GeneratedCatalogue(const Shape &shape) : m_previousDir(QDir::currentPath())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("database"));
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    check(sqlite3_exec(db, shippedSchema().constData(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db);
    fill(db, "pinternal", shape);
    fill(db, "poverseas", shape);
    check(sqlite3_exec(db, "commit; PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
    QDir::setCurrent(m_dir.path());
}

GeneratedCatalogue::~GeneratedCatalogue()
{
    QDir::setCurrent(m_previousDir);
}

QString GeneratedCatalogue::path() const
{
    return m_dir.filePath(QStringLiteral("database/padr.mdb"));
}
