// Introduction lines: the guide welcomes the new raiser.
#include "scenes/serifu.h"

namespace serifu {

const Script Setumei = {"Introduction", {
    // opening
    QT_TRANSLATE_NOOP("Introduction", "ようこそおいで下さいました。\n"
                                      "ここが、主様のお屋敷でございます。"),
    QT_TRANSLATE_NOOP("Introduction", "貴方が新しい飼育係の方ですね。\n"
                                      "いいえ、お名前はお尋ねしません。\n"
                                      "その必要はございませんから。"),
    // question (Yes/No)
    QT_TRANSLATE_NOOP("Introduction", "それよりも…\n"
                                      "此処での日々への説明はお受けしましたか…？"),
    // explanation, skipped on Yes
    QT_TRANSLATE_NOOP("Introduction", "あらあら…\n"
                                      "それでは、私からご説明いたしましょう。"),
    QT_TRANSLATE_NOOP("Introduction", "簡単に申し上げますと、\n"
                                      "貴方が此処にいらしたのは、\n"
                                      "主様の「食事」を育てるためです。"),
    QT_TRANSLATE_NOOP("Introduction", "主様は週に一度、週末に召し上がる「食事」をお選びになります。\n"
                                      "その者を、主様のお好みに育てて下さい。"),
    QT_TRANSLATE_NOOP("Introduction", "つまり、その「食事」の血を綺麗にするお仕事です。"),
    QT_TRANSLATE_NOOP("Introduction", "やり方は簡単です。「食事」の顔をクリックすれば、\n"
                                      "その者の血が洗礼され、浄められます。"),
    QT_TRANSLATE_NOOP("Introduction", "貴方にはその力がおありのはず。\n"
                                      "だからこそ、此処へいらしたのでしょう？"),
    QT_TRANSLATE_NOOP("Introduction", "ですが、彼らの血は時が経つにつれて濁っていきます。\n"
                                      "ですので、何度も洗礼してあげて下さいね。"),
    QT_TRANSLATE_NOOP("Introduction", "決して怠ってはいけませんよ。\n"
                                      "さもないと、血はすっかり穢れてしまいます。"),
    QT_TRANSLATE_NOOP("Introduction", "ご注意を。「食事」にも感情がございます。"),
    QT_TRANSLATE_NOOP("Introduction", "劣等感、とでも申しましょうか。\n"
                                      "他の者が優れていると気に病みますし、\n"
                                      "洗礼を怠れば、自信をどんどん失っていきます。"),
    QT_TRANSLATE_NOOP("Introduction", "自信をすっかり失くした者は、城から逃げ出してしまいました。\n"
                                      "貴方の前任の方も、「食事」に逃げられて\n"
                                      "首になってしまったのですよ。"),
    QT_TRANSLATE_NOOP("Introduction", "くれぐれもお気をつけ下さいね。"),
    QT_TRANSLATE_NOOP("Introduction", "ちなみに、育成画面のグラフですが、\n"
                                      "薄い色の棒（左）が自信、\n"
                                      "濃い色の棒（右）が血の清らかさで、長いほど綺麗な血です。"),
    QT_TRANSLATE_NOOP("Introduction", "そして一月後の五週目には、\n"
                                      "主様が貴方の働きをお裁きになる儀式がございます。"),
    QT_TRANSLATE_NOOP("Introduction", "そこで不合格となった時には…ふふ。"),
    // closing
    QT_TRANSLATE_NOOP("Introduction", "では、こちらへどうぞ。"),
    QT_TRANSLATE_NOOP("Introduction", "お部屋へご案内いたします。"),
    QT_TRANSLATE_NOOP("Introduction", "………"),
    QT_TRANSLATE_NOOP("Introduction", "こちらです。\n"
                                      "明日から早速、お仕事に取り掛かっていただくことになるでしょう。"),
    QT_TRANSLATE_NOOP("Introduction", "今夜はごゆっくりお休み下さい"),
}};

}  // namespace serifu
