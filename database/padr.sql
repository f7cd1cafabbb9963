-- Kelvane newspaper catalogue: schema and starter data.
--
-- Build the catalogue file with:
--     sqlite3 database/padr.mdb < database/padr.sql
--
-- pinternal: domestic (Chinese) papers, pcity = provincial-level division.
-- poverseas: foreign papers, pcity = country or region.
-- Rows are grouped by pcity, and the menus list the divisions in the order
-- the rows are stored: the pcity indexes leave out rows without a pcity, so
-- the engine answers "select distinct pcity" by reading the table in order
-- rather than the index in sorted order. Domestic order: the division codes
-- (GB/T 2260). Foreign order: by continent (Asia, Europe, North America,
-- South America, Oceania, Africa).

PRAGMA journal_mode=WAL;

CREATE TABLE pinternal (
  pcity TEXT COLLATE NOCASE,
  pname TEXT COLLATE NOCASE,
  purl  TEXT COLLATE NOCASE
);
CREATE INDEX pinternal_pcity ON pinternal (pcity) WHERE pcity IS NOT NULL;
CREATE INDEX pinternal_pname ON pinternal (pname);

CREATE TABLE poverseas (
  pcity TEXT COLLATE NOCASE,
  pname TEXT COLLATE NOCASE,
  purl  TEXT COLLATE NOCASE
);
CREATE INDEX poverseas_pcity ON poverseas (pcity) WHERE pcity IS NOT NULL;
CREATE INDEX poverseas_pname ON poverseas (pname);

BEGIN;

-- ---------------------------------------------------------------------------
-- Domestic: in the order of the division codes (GB/T 2260), as Chinese lists
-- of provinces are: 北京 11 first, then 天津 12, 河北 13 … 新疆 65, 台湾 71,
-- 香港 81 and 澳门 82 last.
-- ---------------------------------------------------------------------------

-- National papers are listed under 北京.
INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('北京', '人民日报', 'http://www.people.com.cn/'),
  ('北京', '光明日报', 'https://www.gmw.cn/'),
  ('北京', '经济日报', 'http://www.ce.cn/'),
  ('北京', '中国日报', 'https://www.chinadaily.com.cn/'),
  ('北京', '解放军报', 'http://www.81.cn/'),
  ('北京', '中国青年报', 'https://www.cyol.com/'),
  ('北京', '环球时报', 'https://www.huanqiu.com/'),
  ('北京', '参考消息', 'http://www.cankaoxiaoxi.com/'),
  ('北京', '工人日报', 'https://www.workercn.cn/'),
  ('北京', '科技日报', 'http://www.stdaily.com/'),
  ('北京', '法治日报', 'http://www.legaldaily.com.cn/'),
  ('北京', '人民政协报', 'http://www.rmzxb.com.cn/'),
  ('北京', '中国证券报', 'https://www.cs.com.cn/'),
  ('北京', '经济观察报', 'https://www.eeo.com.cn/'),
  ('北京', '中国经营报', 'http://www.cb.com.cn/'),
  ('北京', '北京日报', 'https://www.bjd.com.cn/'),
  ('北京', '北京晚报', 'https://www.takefoto.cn/'),
  ('北京', '新京报', 'https://www.bjnews.com.cn/'),
  ('北京', '北京青年报', 'https://www.ynet.com/'),
  ('北京', '北京商报', 'https://www.bbtnews.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('天津', '天津日报', 'http://www.tianjinwe.com/'),
  ('天津', '今晚报', 'http://www.jwb.com.cn/'),
  ('天津', '每日新报', 'https://epaper.tianjinwe.com/mrxb/'),
  ('天津', '滨海时报', 'http://www.tjbhnews.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('河北', '河北日报', 'http://www.hebnews.cn/'),
  ('河北', '燕赵都市报', 'http://yzdsb.hebnews.cn/'),
  ('河北', '石家庄日报', 'http://www.sjzdaily.com.cn/'),
  ('河北', '燕赵晚报', 'http://yzwb.sjzdaily.com.cn/'),
  ('河北', '唐山劳动日报', 'http://www.huanbohainews.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('山西', '山西日报', 'http://www.sxrb.com/'),
  ('山西', '山西经济日报', 'http://www.sxjjb.cn/'),
  ('山西', '太原日报', 'http://www.tynews.com.cn/'),
  ('山西', '太原晚报', 'http://www.tywbw.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('内蒙古', '内蒙古日报', 'http://www.nmgnews.com.cn/'),
  ('内蒙古', '北方新报', 'http://www.northnews.cn/'),
  ('内蒙古', '呼和浩特日报', 'http://www.saibeinews.com/'),
  ('内蒙古', '包头日报', 'http://www.baotounews.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('辽宁', '辽宁日报', 'https://www.lnd.com.cn/'),
  ('辽宁', '辽沈晚报', 'https://epaper.lnd.com.cn/'),
  ('辽宁', '沈阳日报', 'http://www.syd.com.cn/'),
  ('辽宁', '沈阳晚报', 'https://epaper.syd.com.cn/sywb/'),
  ('辽宁', '大连日报', 'http://www.dlxww.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('吉林', '吉林日报', 'http://www.cnjiwang.com/'),
  ('吉林', '长春日报', 'http://www.changchunews.com/'),
  ('吉林', '新文化报', 'http://www.xwhb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('黑龙江', '黑龙江日报', 'http://www.hljnews.cn/'),
  ('黑龙江', '生活报', 'http://epaper.hljnews.cn/shb/'),
  ('黑龙江', '哈尔滨日报', 'http://www.my399.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('上海', '解放日报', 'https://www.jfdaily.com/'),
  ('上海', '文汇报', 'https://www.whb.cn/'),
  ('上海', '新民晚报', 'https://www.xinmin.cn/'),
  ('上海', '第一财经日报', 'https://www.yicai.com/'),
  ('上海', '上海证券报', 'https://www.cnstock.com/'),
  ('上海', '上海日报', 'https://www.shine.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('江苏', '新华日报', 'http://www.xhby.net/'),
  ('江苏', '扬子晚报', 'https://www.yangtse.com/'),
  ('江苏', '现代快报', 'https://www.xdkb.net/'),
  ('江苏', '南京日报', 'http://www.njdaily.cn/'),
  ('江苏', '江南时报', 'http://paper.people.com.cn/jnsb/'),
  ('江苏', '苏州日报', 'http://www.subaonet.com/'),
  ('江苏', '无锡日报', 'http://www.wxrb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('浙江', '浙江日报', 'https://www.zjol.com.cn/'),
  ('浙江', '钱江晚报', 'http://qjwb.thehour.cn/'),
  ('浙江', '杭州日报', 'https://www.hangzhou.com.cn/'),
  ('浙江', '宁波日报', 'http://www.cnnb.com.cn/'),
  ('浙江', '温州日报', 'http://www.66wz.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('安徽', '安徽日报', 'http://www.anhuinews.com/'),
  ('安徽', '新安晚报', 'http://www.ahwang.cn/'),
  ('安徽', '市场星报', 'https://www.scxb.com.cn/'),
  ('安徽', '合肥晚报', 'http://www.hf365.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('福建', '福建日报', 'https://www.fjsen.com/'),
  ('福建', '海峡都市报', 'http://www.hxnews.com/'),
  ('福建', '东南快报', 'http://www.dnkb.com.cn/'),
  ('福建', '福州日报', 'http://www.fznews.com.cn/'),
  ('福建', '厦门日报', 'https://www.xmnn.cn/'),
  ('福建', '海峡导报', 'http://www.taihainet.com/'),
  ('福建', '泉州晚报', 'http://www.qzwb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('江西', '江西日报', 'https://www.jxnews.com.cn/'),
  ('江西', '江南都市报', 'http://www.jxnews.com.cn/jndsb/'),
  ('江西', '南昌日报', 'http://www.ncnews.com.cn/'),
  ('江西', '九江日报', 'http://www.jjxw.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('山东', '大众日报', 'http://www.dzwww.com/'),
  ('山东', '齐鲁晚报', 'http://www.qlwb.com.cn/'),
  ('山东', '济南日报', 'http://www.e23.cn/'),
  ('山东', '青岛日报', 'http://www.qingdaonews.com/'),
  ('山东', '半岛都市报', 'http://www.bandao.cn/'),
  ('山东', '烟台日报', 'http://www.shm.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('河南', '河南日报', 'https://www.dahe.cn/'),
  ('河南', '大河报', 'https://www.dahebao.cn/'),
  ('河南', '郑州日报', 'http://www.zynews.cn/'),
  ('河南', '郑州晚报', 'https://zzwb.zynews.cn/'),
  ('河南', '洛阳日报', 'http://www.lyd.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('湖北', '湖北日报', 'http://www.cnhubei.com/'),
  ('湖北', '楚天都市报', 'https://www.ctdsb.net/'),
  ('湖北', '长江日报', 'http://www.cjn.cn/'),
  ('湖北', '三峡日报', 'http://www.cn3x.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('湖南', '湖南日报', 'https://www.voc.com.cn/'),
  ('湖南', '潇湘晨报', 'https://www.xxcb.cn/'),
  ('湖南', '长沙晚报', 'https://www.icswb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('广东', '南方日报', 'https://www.southcn.com/'),
  ('广东', '南方都市报', 'https://www.oeeee.com/'),
  ('广东', '南方周末', 'https://www.infzm.com/'),
  ('广东', '21世纪经济报道', 'https://www.21jingji.com/'),
  ('广东', '羊城晚报', 'https://www.ycwb.com/'),
  ('广东', '广州日报', 'https://www.dayoo.com/'),
  ('广东', '新快报', 'https://www.xkb.com.cn/'),
  ('广东', '深圳特区报', 'https://www.sznews.com/'),
  ('广东', '深圳商报', 'https://szsb.sznews.com/'),
  ('广东', '晶报', 'https://jb.sznews.com/'),
  ('广东', '证券时报', 'https://www.stcn.com/'),
  ('广东', '汕头特区报', 'http://www.dahuawang.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('广西', '广西日报', 'http://www.gxnews.com.cn/'),
  ('广西', '南国早报', 'http://www.ngzb.com.cn/'),
  ('广西', '南宁晚报', 'http://www.nnwb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('海南', '海南日报', 'http://www.hinews.cn/'),
  ('海南', '南国都市报', 'http://ngdsb.hinews.cn/'),
  ('海南', '海南特区报', 'http://www.hntqb.com/'),
  ('海南', '海口晚报', 'http://www.hkwb.net/'),
  ('海南', '三亚日报', 'http://www.sanyarb.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('重庆', '重庆日报', 'https://www.cqrb.cn/'),
  ('重庆', '重庆晨报', 'https://www.cqcb.com/'),
  ('重庆', '重庆晚报', 'http://www.cqwb.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('四川', '四川日报', 'https://www.scdaily.cn/'),
  ('四川', '华西都市报', 'https://www.wccdaily.com.cn/'),
  ('四川', '成都日报', 'http://www.cdrb.com.cn/'),
  ('四川', '成都商报', 'https://www.cdsb.com/'),
  ('四川', '每日经济新闻', 'https://www.nbd.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('贵州', '贵州日报', 'http://www.gog.cn/'),
  ('贵州', '贵州都市报', 'https://www.ddcpc.cn/'),
  ('贵州', '贵阳晚报', 'http://www.gywb.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('云南', '云南日报', 'https://www.yunnan.cn/'),
  ('云南', '春城晚报', 'https://ccwb.yunnan.cn/'),
  ('云南', '昆明日报', 'http://www.kunming.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('西藏', '西藏日报', 'http://www.xzxw.com/'),
  ('西藏', '西藏商报', 'http://e.xzxw.com/xzsb/'),
  ('西藏', '拉萨日报', 'http://www.lasaribao.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('陕西', '陕西日报', 'http://www.sxdaily.com.cn/'),
  ('陕西', '华商报', 'http://www.hsw.cn/'),
  ('陕西', '三秦都市报', 'http://www.sanqin.com/'),
  ('陕西', '西安日报', 'https://www.xiancn.com/'),
  ('陕西', '西安晚报', 'http://epaper.xiancn.com/newxawb/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('甘肃', '甘肃日报', 'http://www.gansudaily.com.cn/'),
  ('甘肃', '甘肃经济日报', 'https://szb.gansudaily.com.cn/gsjjrb/'),
  ('甘肃', '兰州日报', 'https://www.lzbs.com.cn/'),
  ('甘肃', '兰州晚报', 'https://lzwb.lzbs.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('青海', '青海日报', 'http://www.qhnews.com/'),
  ('青海', '西海都市报', 'https://epaper.tibet3.com/xhdsb/'),
  ('青海', '西宁晚报', 'http://www.xnwbw.com/'),
  ('青海', '青海法治报', 'https://www.qhfzb.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('宁夏', '宁夏日报', 'http://www.nxnews.net/'),
  ('宁夏', '新消息报', 'http://www.nxnews.net/'),
  ('宁夏', '银川晚报', 'http://www.ycen.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('新疆', '新疆日报', 'http://www.xjdaily.com.cn/'),
  ('新疆', '兵团日报', 'http://www.bingtuannet.com/'),
  ('新疆', '乌鲁木齐晚报', 'http://www.xinjiangnet.com.cn/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('台湾', '联合报', 'https://udn.com/'),
  ('台湾', '中国时报', 'https://www.chinatimes.com/'),
  ('台湾', '自由时报', 'https://www.ltn.com.tw/'),
  ('台湾', '台湾经济日报', 'https://money.udn.com/'),
  ('台湾', '工商时报', 'https://www.ctee.com.tw/'),
  ('台湾', '台北时报', 'https://www.taipeitimes.com/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('香港', '明报', 'https://news.mingpao.com/'),
  ('香港', '星岛日报', 'https://std.stheadline.com/'),
  ('香港', '东方日报', 'https://orientaldaily.on.cc/'),
  ('香港', '南华早报', 'https://www.scmp.com/'),
  ('香港', '大公报', 'http://www.takungpao.com/'),
  ('香港', '香港文汇报', 'https://www.wenweipo.com/'),
  ('香港', '信报', 'https://www.hkej.com/'),
  ('香港', '香港经济日报', 'https://www.hket.com/'),
  ('香港', '头条日报', 'https://hd.stheadline.com/'),
  ('香港', '英文虎报', 'https://www.thestandard.com.hk/'),
  ('香港', 'am730', 'https://www.am730.com.hk/');

INSERT INTO pinternal (pcity, pname, purl) VALUES
  ('澳门', '澳门日报', 'http://www.macaodaily.com/'),
  ('澳门', '华侨报', 'http://www.vakiodaily.com/'),
  ('澳门', '市民日报', 'http://www.shimindaily.net/'),
  ('澳门', '澳门力报', 'http://www.exmoo.com/'),
  ('澳门', '澳门每日时报', 'https://macaudailytimes.com.mo/');

-- ---------------------------------------------------------------------------
-- Foreign: Asia
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('日本', '朝日新闻', 'https://www.asahi.com/'),
  ('日本', '读卖新闻', 'https://www.yomiuri.co.jp/'),
  ('日本', '每日新闻', 'https://mainichi.jp/'),
  ('日本', '日本经济新闻', 'https://www.nikkei.com/'),
  ('日本', '产经新闻', 'https://www.sankei.com/'),
  ('日本', '东京新闻', 'https://www.tokyo-np.co.jp/'),
  ('日本', 'The Japan Times', 'https://www.japantimes.co.jp/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('韩国', '朝鲜日报', 'https://www.chosun.com/'),
  ('韩国', '中央日报', 'https://www.joongang.co.kr/'),
  ('韩国', '东亚日报', 'https://www.donga.com/'),
  ('韩国', '韩民族日报', 'https://www.hani.co.kr/'),
  ('韩国', '京乡新闻', 'https://www.khan.co.kr/'),
  ('韩国', '韩国日报', 'https://www.hankookilbo.com/'),
  ('韩国', 'The Korea Herald', 'https://www.koreaherald.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('朝鲜', '劳动新闻', 'http://www.rodong.rep.kp/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('新加坡', '联合早报', 'https://www.zaobao.com.sg/'),
  ('新加坡', '新明日报', 'https://www.shinmin.sg/'),
  ('新加坡', 'The Straits Times', 'https://www.straitstimes.com/'),
  ('新加坡', 'The Business Times', 'https://www.businesstimes.com.sg/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('马来西亚', '星洲日报', 'https://www.sinchew.com.my/'),
  ('马来西亚', '南洋商报', 'https://www.enanyang.my/'),
  ('马来西亚', '中国报', 'https://www.chinapress.com.my/'),
  ('马来西亚', 'The Star', 'https://www.thestar.com.my/'),
  ('马来西亚', 'New Straits Times', 'https://www.nst.com.my/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('泰国', 'Bangkok Post', 'https://www.bangkokpost.com/'),
  ('泰国', 'The Nation', 'https://www.nationthailand.com/'),
  ('泰国', 'Thai Rath', 'https://www.thairath.co.th/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('越南', 'Nhân Dân', 'https://nhandan.vn/'),
  ('越南', 'Tuổi Trẻ', 'https://tuoitre.vn/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('菲律宾', 'Philippine Daily Inquirer', 'https://www.inquirer.net/'),
  ('菲律宾', 'The Philippine Star', 'https://www.philstar.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('印度尼西亚', 'Kompas', 'https://www.kompas.id/'),
  ('印度尼西亚', 'The Jakarta Post', 'https://www.thejakartapost.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('印度', 'The Times of India', 'https://timesofindia.indiatimes.com/'),
  ('印度', 'The Hindu', 'https://www.thehindu.com/'),
  ('印度', 'Hindustan Times', 'https://www.hindustantimes.com/'),
  ('印度', 'The Indian Express', 'https://indianexpress.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('巴基斯坦', 'Dawn', 'https://www.dawn.com/'),
  ('巴基斯坦', 'The Express Tribune', 'https://tribune.com.pk/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('土耳其', 'Hürriyet', 'https://www.hurriyet.com.tr/'),
  ('土耳其', 'Daily Sabah', 'https://www.dailysabah.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('以色列', 'Haaretz', 'https://www.haaretz.com/'),
  ('以色列', 'The Jerusalem Post', 'https://www.jpost.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('沙特阿拉伯', 'Arab News', 'https://www.arabnews.com/'),
  ('沙特阿拉伯', 'Asharq Al-Awsat', 'https://aawsat.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('阿联酋', 'Gulf News', 'https://gulfnews.com/'),
  ('阿联酋', 'Khaleej Times', 'https://www.khaleejtimes.com/'),
  ('阿联酋', 'The National', 'https://www.thenationalnews.com/');

-- ---------------------------------------------------------------------------
-- Foreign: Europe
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('英国', 'The Guardian', 'https://www.theguardian.com/'),
  ('英国', 'The Times', 'https://www.thetimes.co.uk/'),
  ('英国', 'Financial Times', 'https://www.ft.com/'),
  ('英国', 'The Daily Telegraph', 'https://www.telegraph.co.uk/'),
  ('英国', 'The Independent', 'https://www.independent.co.uk/'),
  ('英国', 'Daily Mail', 'https://www.dailymail.co.uk/'),
  ('英国', 'The Sun', 'https://www.thesun.co.uk/'),
  ('英国', 'Evening Standard', 'https://www.standard.co.uk/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('爱尔兰', 'The Irish Times', 'https://www.irishtimes.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('法国', 'Le Monde', 'https://www.lemonde.fr/'),
  ('法国', 'Le Figaro', 'https://www.lefigaro.fr/'),
  ('法国', 'Libération', 'https://www.liberation.fr/'),
  ('法国', 'Les Échos', 'https://www.lesechos.fr/'),
  ('法国', 'Le Parisien', 'https://www.leparisien.fr/'),
  ('法国', '欧洲时报', 'https://www.oushinet.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('德国', 'Frankfurter Allgemeine Zeitung', 'https://www.faz.net/'),
  ('德国', 'Süddeutsche Zeitung', 'https://www.sueddeutsche.de/'),
  ('德国', 'Die Welt', 'https://www.welt.de/'),
  ('德国', 'Die Zeit', 'https://www.zeit.de/'),
  ('德国', 'Der Spiegel', 'https://www.spiegel.de/'),
  ('德国', 'Handelsblatt', 'https://www.handelsblatt.com/'),
  ('德国', 'Bild', 'https://www.bild.de/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('奥地利', 'Der Standard', 'https://www.derstandard.at/'),
  ('奥地利', 'Die Presse', 'https://www.diepresse.com/'),
  ('奥地利', 'Kronen Zeitung', 'https://www.krone.at/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('瑞士', 'Neue Zürcher Zeitung', 'https://www.nzz.ch/'),
  ('瑞士', 'Tages-Anzeiger', 'https://www.tagesanzeiger.ch/'),
  ('瑞士', 'Le Temps', 'https://www.letemps.ch/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('荷兰', 'De Telegraaf', 'https://www.telegraaf.nl/'),
  ('荷兰', 'NRC', 'https://www.nrc.nl/'),
  ('荷兰', 'de Volkskrant', 'https://www.volkskrant.nl/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('比利时', 'Le Soir', 'https://www.lesoir.be/'),
  ('比利时', 'De Standaard', 'https://www.standaard.be/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('意大利', 'Corriere della Sera', 'https://www.corriere.it/'),
  ('意大利', 'la Repubblica', 'https://www.repubblica.it/'),
  ('意大利', 'La Stampa', 'https://www.lastampa.it/'),
  ('意大利', 'Il Sole 24 Ore', 'https://www.ilsole24ore.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('西班牙', 'El País', 'https://elpais.com/'),
  ('西班牙', 'El Mundo', 'https://www.elmundo.es/'),
  ('西班牙', 'ABC', 'https://www.abc.es/'),
  ('西班牙', 'La Vanguardia', 'https://www.lavanguardia.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('葡萄牙', 'Público', 'https://www.publico.pt/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('瑞典', 'Dagens Nyheter', 'https://www.dn.se/'),
  ('瑞典', 'Svenska Dagbladet', 'https://www.svd.se/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('挪威', 'Aftenposten', 'https://www.aftenposten.no/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('丹麦', 'Politiken', 'https://politiken.dk/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('波兰', 'Gazeta Wyborcza', 'https://wyborcza.pl/'),
  ('波兰', 'Rzeczpospolita', 'https://www.rp.pl/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('希腊', 'Kathimerini', 'https://www.kathimerini.gr/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('俄罗斯', '俄罗斯报', 'https://rg.ru/'),
  ('俄罗斯', '消息报', 'https://iz.ru/'),
  ('俄罗斯', '生意人报', 'https://www.kommersant.ru/'),
  ('俄罗斯', '共青团真理报', 'https://www.kp.ru/');

-- ---------------------------------------------------------------------------
-- Foreign: North America
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('美国', 'The New York Times', 'https://www.nytimes.com/'),
  ('美国', 'The Washington Post', 'https://www.washingtonpost.com/'),
  ('美国', 'The Wall Street Journal', 'https://www.wsj.com/'),
  ('美国', 'USA Today', 'https://www.usatoday.com/'),
  ('美国', 'Los Angeles Times', 'https://www.latimes.com/'),
  ('美国', 'Chicago Tribune', 'https://www.chicagotribune.com/'),
  ('美国', 'The Boston Globe', 'https://www.bostonglobe.com/'),
  ('美国', 'San Francisco Chronicle', 'https://www.sfchronicle.com/'),
  ('美国', 'New York Post', 'https://nypost.com/'),
  ('美国', 'The Christian Science Monitor', 'https://www.csmonitor.com/'),
  ('美国', '世界日报', 'https://www.worldjournal.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('加拿大', 'The Globe and Mail', 'https://www.theglobeandmail.com/'),
  ('加拿大', 'Toronto Star', 'https://www.thestar.com/'),
  ('加拿大', 'National Post', 'https://nationalpost.com/'),
  ('加拿大', 'La Presse', 'https://www.lapresse.ca/'),
  ('加拿大', 'Le Devoir', 'https://www.ledevoir.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('墨西哥', 'El Universal', 'https://www.eluniversal.com.mx/'),
  ('墨西哥', 'Reforma', 'https://www.reforma.com/'),
  ('墨西哥', 'La Jornada', 'https://www.jornada.com.mx/');

-- ---------------------------------------------------------------------------
-- Foreign: South America
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('巴西', 'Folha de S.Paulo', 'https://www.folha.uol.com.br/'),
  ('巴西', 'O Globo', 'https://oglobo.globo.com/'),
  ('巴西', 'O Estado de S. Paulo', 'https://www.estadao.com.br/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('阿根廷', 'Clarín', 'https://www.clarin.com/'),
  ('阿根廷', 'La Nación', 'https://www.lanacion.com.ar/'),
  ('阿根廷', 'Página/12', 'https://www.pagina12.com.ar/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('智利', 'El Mercurio', 'https://www.elmercurio.com/'),
  ('智利', 'La Tercera', 'https://www.latercera.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('哥伦比亚', 'El Tiempo', 'https://www.eltiempo.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('秘鲁', 'El Comercio', 'https://elcomercio.pe/');

-- ---------------------------------------------------------------------------
-- Foreign: Oceania
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('澳大利亚', 'The Sydney Morning Herald', 'https://www.smh.com.au/'),
  ('澳大利亚', 'The Australian', 'https://www.theaustralian.com.au/'),
  ('澳大利亚', 'The Age', 'https://www.theage.com.au/'),
  ('澳大利亚', 'The Australian Financial Review', 'https://www.afr.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('新西兰', 'The New Zealand Herald', 'https://www.nzherald.co.nz/'),
  ('新西兰', 'The Press', 'https://www.thepress.co.nz/');

-- ---------------------------------------------------------------------------
-- Foreign: Africa
-- ---------------------------------------------------------------------------

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('埃及', '金字塔报', 'https://www.ahram.org.eg/'),
  ('埃及', '今日埃及人报', 'https://www.almasryalyoum.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('南非', 'Mail & Guardian', 'https://mg.co.za/'),
  ('南非', 'Sowetan', 'https://www.sowetanlive.co.za/'),
  ('南非', 'The Citizen', 'https://www.citizen.co.za/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('尼日利亚', 'Punch', 'https://punchng.com/'),
  ('尼日利亚', 'Vanguard', 'https://www.vanguardngr.com/'),
  ('尼日利亚', 'ThisDay', 'https://www.thisdaylive.com/');

INSERT INTO poverseas (pcity, pname, purl) VALUES
  ('肯尼亚', 'Daily Nation', 'https://nation.africa/'),
  ('肯尼亚', 'The Standard', 'https://www.standardmedia.co.ke/');

COMMIT;
